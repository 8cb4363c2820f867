#pragma once
// The editing cycle that the main window and the calendar window build on
// their navigator's two events: unlock the editors on insert and edit, save
// the table after a post (also a failed one) and after a deletion, lock the
// editors again, and leave the window when Cancel is pressed with nothing
// pending.
#include "ui/controls/MYDBNavTypes.h"

#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;
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
    // Whether the table holds a posted change its file lacks. Set, a post the
    // navigator did not make (a grid move, an export ending the edit) is
    // saved the same way as soon as the window is at rest.
    std::function<bool()> Unsaved;
};

class TEditCycle {
public:
    // window: where the cycle's own modal loop runs (none for the main window).
    TEditCycle(TRecordTable& table, TEditCycleActions actions, QWidget* window = nullptr);
    ~TEditCycle();
    TEditCycle(const TEditCycle&) = delete;
    TEditCycle& operator=(const TEditCycle&) = delete;

    void BeforeAction(TMNavigateBtn button);
    void Click(TMNavigateBtn button);
    // Saves a post made elsewhere, if it is not in the file yet.
    void SaveOwed();

private:
    void Posted();
    // No other dialog, menu or box open, nothing pending: a save may ask.
    bool AtRest() const;

    TRecordTable& table_;
    TEditCycleActions actions_;
    QPointer<QWidget> window_;
    QTimer owed_;
    // The table may outlive the cycle or go first; its hook asks through this.
    std::shared_ptr<TEditCycle*> self_ = std::make_shared<TEditCycle*>(this);
    int rowsBeforeDelete_ = 0;
};
