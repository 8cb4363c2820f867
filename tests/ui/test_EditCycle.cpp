#include "ui/windows/EditCycle.h"

#include "data/Records.h"
#include "data/table/RecordTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A calendar table with one posted row, and a cycle that logs its actions.
class EditCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        DefineFields(table, SpieltageRecordFields());
        table.CreateEmpty();
        table.Append();
        table.Field("Jahr").SetAsInteger(2009);
        table.Post();
    }

    TEditCycleActions Actions(bool locks) {
        TEditCycleActions actions;
        actions.EnableEditors = [this] { log.push_back("enable"); };
        actions.FocusFirstEditor = [this] { log.push_back("focus"); };
        actions.SaveTable = [this] {
            log.push_back("save");
            if (saveFails)
                throw std::runtime_error("save failed");
        };
        actions.Leave = [this] { log.push_back("leave"); };
        if (locks)
            actions.LockEditors = [this] { log.push_back("lock"); };
        actions.AfterInsert = [this] { log.push_back("after-insert"); };
        return actions;
    }

    std::string Run(TEditCycle& cycle, TMNavigateBtn button) {
        log.clear();
        cycle.BeforeAction(button);
        log.push_back("|");
        cycle.Click(button);
        std::string joined;
        for (const auto& entry : log)
            joined += entry + " ";
        return joined;
    }

    TRecordTable table{"t_spieltage"};
    std::vector<std::string> log;
    bool saveFails = false;
};

struct TCycleCase {
    TMNavigateBtn Button;
    bool Pending;
    bool Locks;
    const char* Expected;
};

TEST_F(EditCycleTest, RunsTheActionsOfEachButton) {
    const TCycleCase cases[] = {
        {nbInsert, false, true, "enable focus | after-insert "},
        {nbEdit, false, true, "enable focus | "},
        {nbPost, true, true, "| save lock "},
        {nbPost, true, false, "| save "},
        {nbCancel, false, true, "leave | lock "},
        {nbCancel, false, false, "leave | "},
        {nbCancel, true, true, "| lock "},
        {nbFirst, false, true, "| "},
        {nbDelete, false, true, "| "},
        {nbRefresh, false, false, "| "},
    };
    for (const auto& c : cases) {
        if (c.Pending)
            table.Edit();
        TEditCycle cycle(table, Actions(c.Locks));
        EXPECT_EQ(Run(cycle, c.Button), c.Expected)
            << "button " << int(c.Button) << " pending " << c.Pending << " locks " << c.Locks;
        if (table.State() != tsBrowse)
            table.Cancel();
    }
}

TEST_F(EditCycleTest, CancelWithPendingEditCancelsItBeforeTheNavigator) {
    TEditCycle cycle(table, Actions(true));
    table.Edit();
    table.Field("Jahr").SetAsInteger(2010);
    cycle.BeforeAction(nbCancel);
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(table.Field("Jahr").AsInteger(), 2009);
}

TEST_F(EditCycleTest, ConfirmedDeletionIsSavedAtOnce) {
    for (const bool confirmed : {false, true}) {
        TEditCycle cycle(table, Actions(true));
        log.clear();
        cycle.BeforeAction(nbDelete);
        if (confirmed)
            table.Delete(); // what the navigator does between its two events
        cycle.Click(nbDelete);
        EXPECT_EQ(log, confirmed ? std::vector<std::string>{"save"} : std::vector<std::string>{})
            << "confirmed " << confirmed;
    }
}

TEST_F(EditCycleTest, FailedSaveLeavesTheEditorsUnlocked) {
    TEditCycle cycle(table, Actions(true));
    saveFails = true;
    log.clear();
    EXPECT_THROW(cycle.Click(nbPost), std::runtime_error);
    EXPECT_EQ(log, (std::vector<std::string>{"save"}));
}

} // namespace
