#include "ui/windows/EditCycle.h"

#include "data/table/RecordTable.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QWidget>

namespace {
// While another dialog is open the save waits, so that a file loaded
// instead cannot change the row that dialog works on.
constexpr int RetryMs = 150;
} // namespace

TEditCycle::TEditCycle(TRecordTable& table, TEditCycleActions actions, QWidget* window)
    : table_(table), actions_(std::move(actions)), window_(window) {
    owed_.setSingleShot(true);
    owed_.setInterval(0);
    QObject::connect(&owed_, &QTimer::timeout, Guarded([this] { SaveOwed(); }));
    if (actions_.Unsaved)
        table_.AfterPost = [cycle = std::weak_ptr<TEditCycle*>(self_)](TRecordTable&) {
            if (const auto alive = cycle.lock())
                (*alive)->Posted();
        };
}

// The hook goes quiet with self_; the table is not touched, it may be gone.
TEditCycle::~TEditCycle() = default;

// The post has not finished its caller's work yet (a cursor move, an
// export): the save comes after it.
void TEditCycle::Posted() {
    owed_.setInterval(0);
    owed_.start();
}

bool TEditCycle::AtRest() const {
    const QWidget* modal = QApplication::activeModalWidget();
    const bool ownLoop = !modal || (window_ && modal == window_->window());
    return ownLoop && !QApplication::activePopupWidget() && !BoxesNonInteractive();
}

void TEditCycle::SaveOwed() {
    if (!actions_.Unsaved || !actions_.Unsaved() || table_.State() != tsBrowse)
        return;
    if (!AtRest()) {
        owed_.setInterval(RetryMs);
        owed_.start();
        return;
    }
    actions_.SaveTable();
    if (actions_.LockEditors)
        actions_.LockEditors();
}

void TEditCycle::BeforeAction(TMNavigateBtn button) {
    switch (button) {
    case nbInsert:
    case nbEdit:
        actions_.EnableEditors();
        actions_.FocusFirstEditor();
        break;
    case nbDelete:
        rowsBeforeDelete_ = table_.DisplayCount();
        break;
    case nbCancel:
        // Cancel doubles as the exit button while nothing is pending; the
        // navigator's own Cancel that follows then changes nothing.
        if (table_.State() == tsBrowse)
            actions_.Leave();
        else
            table_.Cancel();
        break;
    default:
        break;
    }
}

void TEditCycle::Click(TMNavigateBtn button) {
    switch (button) {
    case nbInsert:
        if (actions_.AfterInsert)
            actions_.AfterInsert();
        break;
    case nbPost:
        // A failed save ends here, leaving the editors unlocked for correction,
        // and is not tried a second time behind the user's back.
        owed_.stop();
        actions_.SaveTable();
        if (actions_.LockEditors)
            actions_.LockEditors();
        break;
    case nbDelete:
        // A confirmed deletion reaches the file at once; a declined one writes nothing.
        if (table_.DisplayCount() < rowsBeforeDelete_)
            actions_.SaveTable();
        break;
    case nbCancel:
        if (actions_.LockEditors)
            actions_.LockEditors();
        break;
    default:
        break;
    }
}
