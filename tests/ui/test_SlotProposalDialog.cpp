// Slot proposals from the main window's context menu: the search runs on a
// worker, pinned teams stay, "Übernehmen" and "Rückgängig" go through the
// editing cycle into the file, read-only folders cannot apply.
#include "report/DivisionValues.h"
#include "tests/ui/test_StaffelplanFixture.h"
#include "ui/exports/SearchWorker.h"
#include "ui/exports/SeasonMenu.h"
#include "ui/exports/SeasonOptimizeDialog.h"
#include "ui/exports/SlotProposalDialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <map>

namespace {

// Two divisions of one season whose teams of each club are at home on the
// same dates: every home game clashes until the second one is rearranged.
void AddDivision(TRecordTable& table, const std::string& klasse, const std::string& number) {
    table.Append();
    table.Field("Klasse").SetAsText(klasse);
    table.Field("Jahr").SetAsInteger(2026);
    table.Field("10Klasse").SetAsBoolean(false);
    const char* const slotNames[] = {"1A", "1B", "2A", "2B", "3A", "3B", "4A", "4B"};
    for (int s = 0; s < 8; ++s)
        table.Field(slotNames[s]).SetAsText("Verein " + std::to_string(s + 1) + " " + number);
    for (int day = 1; day <= 8; ++day)
        table.Field(std::to_string(day) + "dat")
            .SetAsDateTime(*DayFromCivil(2026, 9, 5) + 14.0 * (day - 1));
    table.Post();
}

// By class name: a saved edit may change the file's row order.
std::map<std::string, std::array<std::string, SlotCount>> TeamsInFile(const std::string& name) {
    TRecordTable loaded("t_staffel");
    loaded.Load(name);
    std::map<std::string, std::array<std::string, SlotCount>> teams;
    for (const TDivisionValues& division : AllDivisions(loaded))
        teams[division.Klasse] = division.Teams;
    return teams;
}

int SeasonClashes(TRecordTable& table) {
    return TSeason(AllDivisions(table), TClubDirectory()).ClashCount();
}

class SlotProposal : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        TRecordTable& table = window->t_staffel();
        AddDivision(table, "Bezirksliga", "I");
        AddDivision(table, "Kreisliga", "II");
        window->Store.SaveStaffel();
        table.MoveTo(1); // Kreisliga
        ASSERT_EQ(table.Field("Klasse").AsText(), "Kreisliga");
    }

    // Opens the dialog from the menu; work runs while it is "up".
    template <class Dialog>
    void Open(void (TSeasonMenu::*action)(), std::function<void(Dialog&)> work) {
        window->ShowModal = [&](QDialog& shown) {
            auto* dialog = dynamic_cast<Dialog*>(&shown);
            EXPECT_NE(dialog, nullptr);
            if (dialog)
                work(*dialog);
            return 0;
        };
        Guard([&] { (window->SeasonMenu->*action)(); });
    }

    static void WaitForSearch(const std::function<bool()>& searching) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !searching(); }, 20000));
    }
};

TEST_F(SlotProposal, ApplyAndUndoGoThroughTheCycleIntoTheFile) {
    const auto before = TeamsInFile(StaffelFileName);
    const int clashesBefore = SeasonClashes(window->t_staffel());
    ASSERT_GT(clashesBefore, 0);

    Open<TSlotProposalDialog>(&TSeasonMenu::ProposeSlots, [&](TSlotProposalDialog& dialog) {
        EXPECT_FALSE(dialog.ButtonApply->isEnabled()) << "before the search ends";
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Proposal());
        const TSlotProposal proposal = *dialog.Proposal();
        EXPECT_TRUE(proposal.Complete);
        EXPECT_EQ(proposal.ClashesBefore, clashesBefore);
        EXPECT_LT(proposal.ClashesAfter, proposal.ClashesBefore);
        EXPECT_EQ(dialog.ListMoves->count(), static_cast<int>(proposal.Moves.size()));
        // Nothing changes until applied.
        EXPECT_EQ(TeamsInFile(StaffelFileName), before);

        ASSERT_TRUE(dialog.ButtonApply->isEnabled());
        dialog.ButtonApply->click();
        EXPECT_TRUE(boxes.Errors().empty()) << boxes.Errors().front();
        const auto applied = TeamsInFile(StaffelFileName);
        EXPECT_EQ(applied.at("Bezirksliga"), before.at("Bezirksliga")) << "the other one stays";
        EXPECT_EQ(applied.at("Kreisliga"), proposal.Teams);
        EXPECT_EQ(window->t_staffel().State(), tsBrowse);
        EXPECT_EQ(window->t_staffel().Field("Klasse").AsText(), "Kreisliga");
        EXPECT_EQ(SeasonClashes(window->t_staffel()), proposal.ClashesAfter);
        EXPECT_TRUE(EditorsLocked()) << "the cycle locks the editors after the save";
        EXPECT_FALSE(dialog.ButtonApply->isEnabled());

        ASSERT_TRUE(dialog.ButtonUndo->isEnabled());
        dialog.ButtonUndo->click();
        EXPECT_EQ(TeamsInFile(StaffelFileName), before);
        EXPECT_EQ(SeasonClashes(window->t_staffel()), clashesBefore);
        EXPECT_FALSE(dialog.ButtonUndo->isEnabled());
        WaitForSearch([&] { return dialog.Searching(); });
    });
    EXPECT_TRUE(boxes.Errors().empty());
}

TEST_F(SlotProposal, PinnedTeamKeepsItsSlot) {
    Open<TSlotProposalDialog>(&TSeasonMenu::ProposeSlots, [&](TSlotProposalDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Proposal());
        const TSlotProposal free = *dialog.Proposal();
        // Pin every team the free proposal moves: the search must find another way.
        for (const TSlotMove& move : free.Moves)
            dialog.SetPinned(move.From, true);
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Proposal());
        const TSlotProposal pinned = *dialog.Proposal();
        for (const TSlotMove& move : free.Moves) {
            EXPECT_EQ(pinned.Placement[static_cast<int>(move.From)], move.From) << move.Team;
            for (const TSlotMove& other : pinned.Moves)
                EXPECT_NE(other.Team, move.Team);
        }
        EXPECT_GE(pinned.ClashesAfter, free.ClashesAfter);
    });
}

TEST_F(SlotProposal, ReadOnlyFolderShowsButCannotApply) {
    window->Store.SetReadOnly(true);
    Open<TSlotProposalDialog>(&TSeasonMenu::ProposeSlots, [&](TSlotProposalDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Proposal());
        EXPECT_FALSE(dialog.Proposal()->Moves.empty());
        EXPECT_FALSE(dialog.ButtonApply->isEnabled());
        dialog.ApplyProposal(); // also not by a direct call
    });
    EXPECT_EQ(window->t_staffel().State(), tsBrowse);
    EXPECT_EQ(SeasonClashes(window->t_staffel()) > 0, true);
}

TEST_F(SlotProposal, ChangedRowIsNotOverwritten) {
    Open<TSlotProposalDialog>(&TSeasonMenu::ProposeSlots, [&](TSlotProposalDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        // Someone changes the division while the dialog is up.
        TRecordTable& table = window->t_staffel();
        table.Edit();
        table.Field("1A").SetAsText("Neu");
        table.Post();
        const auto changed = AllDivisions(table)[1].Teams;
        dialog.ButtonApply->click();
        EXPECT_EQ(AllDivisions(table)[1].Teams, changed);
        ASSERT_EQ(boxes.Errors().size(), 1u);
        EXPECT_EQ(
            boxes.Errors()[0],
            "Die Staffel Kreisliga 2026 wurde inzwischen geändert; es wurde nichts übernommen.");
        boxes.Clear();
    });
}

TEST_F(SlotProposal, WholeSeasonAppliesInOneStepWithOneUndo) {
    const auto before = TeamsInFile(StaffelFileName);
    Open<TSeasonOptimizeDialog>(&TSeasonMenu::OptimizeSeason, [&](TSeasonOptimizeDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Result());
        const TSeasonOptimization result = *dialog.Result();
        EXPECT_LT(result.ClashesAfter, result.ClashesBefore);
        EXPECT_EQ(TeamsInFile(StaffelFileName), before) << "nothing before the confirmation";
        dialog.ButtonApply->click();
        EXPECT_EQ(SeasonClashes(window->t_staffel()), result.ClashesAfter);
        const auto applied = TeamsInFile(StaffelFileName);
        const char* const names[] = {"Bezirksliga", "Kreisliga"};
        for (const TDivisionMoves& division : result.Divisions)
            EXPECT_EQ(applied.at(names[division.Division]), division.Teams) << division.Division;
        dialog.ButtonUndo->click();
        EXPECT_EQ(TeamsInFile(StaffelFileName), before);
    });
    EXPECT_TRUE(boxes.Errors().empty());
}

// The club table reaches the search: halls that hold two games at once make
// both divisions' home days fit, so there is nothing to propose.
TEST_F(SlotProposal, ClubTableCapacitiesReachTheSearch) {
    TRecordTable& clubs = window->Store.t_vereine();
    for (int c = 1; c <= 8; ++c) {
        clubs.Append();
        clubs.Field("Verein").SetAsText("Verein " + std::to_string(c));
        clubs.Field("Kapazitaet").SetAsInteger(2);
        clubs.Post();
    }
    Open<TSlotProposalDialog>(&TSeasonMenu::ProposeSlots, [&](TSlotProposalDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Proposal());
        EXPECT_EQ(dialog.Proposal()->ClashesBefore, 0);
        EXPECT_TRUE(dialog.Proposal()->Moves.empty());
    });
    Open<TSeasonOptimizeDialog>(&TSeasonMenu::OptimizeSeason, [&](TSeasonOptimizeDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Result());
        EXPECT_EQ(dialog.Result()->ClashesBefore, 0);
    });
}

TEST(SearchWorker, CancelReachesTheSearchAndTheResultTheWindowThread) {
    TSearchWorker worker;
    std::atomic<bool> started{false};
    bool delivered = false;
    bool onWindowThread = false;
    ASSERT_TRUE(worker.Start([&](const TSearchControl& control) -> std::function<void()> {
        started = true;
        while (!control.Cancelled())
            QThread::msleep(1);
        return [&] {
            delivered = true;
            onWindowThread = QThread::currentThread() == qApp->thread();
        };
    }));
    EXPECT_FALSE(worker.Start([](const TSearchControl&) { return std::function<void()>(); }))
        << "one search at a time";
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, 5000));
    EXPECT_TRUE(worker.Running());
    worker.Cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered; }, 5000));
    EXPECT_TRUE(onWindowThread);
    EXPECT_FALSE(worker.Running());
}

TEST(SearchWorker, DestroyedWhileSearchingStopsAndDeliversNothing) {
    bool delivered = false;
    {
        TSearchWorker worker;
        worker.Start([&](const TSearchControl& control) -> std::function<void()> {
            while (!control.Cancelled())
                QThread::msleep(1);
            return [&] { delivered = true; };
        });
    }
    QTest::qWait(20);
    EXPECT_FALSE(delivered);
}

} // namespace
