#include "ui/windows/EditCycle.h"

#include "data/table/RecordTable.h"

TEditCycle::TEditCycle(TRecordTable& table, TEditCycleActions actions)
    : table_(table), actions_(std::move(actions)) {}

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
        // A failed save ends here, leaving the editors unlocked for correction.
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
