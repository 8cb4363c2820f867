#include "ui/controls/MYDBNavDataLink.h"

#include "ui/controls/MYDBNav.h"

TMNavDataLink::~TMNavDataLink() {
    navigator_ = nullptr;
}

bool TMNavDataLink::Editing() const {
    if (!Active())
        return false;
    const TTableState state = Table()->State();
    return state == tsEdit || state == tsInsert;
}

void TMNavDataLink::ResetFlags() {
    active_ = Active();
    editing_ = Editing();
}

void TMNavDataLink::Notify(TTableNotice notice, TField*) {
    if (!navigator_)
        return;
    if (notice == tnRowsChange) {
        navigator_->UpdateMoveButtons();
    } else if (notice == tnStateChange) {
        if (active_ != Active()) {
            active_ = Active();
            navigator_->UpdateAllButtons();
        }
        if (editing_ != Editing()) {
            editing_ = Editing();
            navigator_->UpdateEditButtons();
        }
    }
}
