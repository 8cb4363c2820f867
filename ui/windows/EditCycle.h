#pragma once
// The editing cycle that the main window and the calendar window build on
// their navigator's two events: unlock the editors on insert and edit, save
// the table after a post (also a failed one) and after a deletion, lock the
// editors again, and leave the window when Cancel is pressed with nothing
// pending.
#include "ui/controls/MYDBNavTypes.h"

#include <functional>

class TRecordTable;

struct TEditCycleActions {
    std::function<void()> EnableEditors;
    std::function<void()> FocusFirstEditor;
    // After nbPost, whether the post succeeded or not, and after a deletion.
    std::function<void()> SaveTable;
    // nbCancel with nothing pending.
    std::function<void()> Leave;
    // After a successful save and after nbCancel; empty where the editors
    // stay unlocked once unlocked.
    std::function<void()> LockEditors;
    // After nbInsert; may be empty.
    std::function<void()> AfterInsert;
};

class TEditCycle {
public:
    TEditCycle(TRecordTable& table, TEditCycleActions actions);

    void BeforeAction(TMNavigateBtn button);
    void Click(TMNavigateBtn button);

private:
    TRecordTable& table_;
    TEditCycleActions actions_;
    int rowsBeforeDelete_ = 0;
};
