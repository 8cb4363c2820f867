// Slot proposals from the main window's context menu: the search runs on a
// worker, pinned teams stay, "Übernehmen" and "Rückgängig" go through the
// editing cycle into the file, read-only folders cannot apply.
#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "report/DivisionValues.h"
#include "tests/ui/test_StaffelplanFixture.h"
#include "ui/exports/SearchWorker.h"
#include "ui/exports/SeasonMenu.h"
#include "ui/exports/SeasonOptimizeDialog.h"
#include "ui/exports/SlotProposalDialog.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <map>
#include <optional>

namespace {

// Two divisions of one season whose teams of each club are at home on the
// same dates: every home game clashes until the second one is rearranged.
void AddDivision(TRecordTable& table, const std::string& klasse, const std::string& number,
                 const std::string& club = "Verein") {
    table.Append();
    table.Field("Klasse").SetAsText(klasse);
    table.Field("Jahr").SetAsInteger(2026);
    table.Field("10Klasse").SetAsBoolean(false);
    const char* const slotNames[] = {"1A", "1B", "2A", "2B", "3A", "3B", "4A", "4B"};
    for (int s = 0; s < 8; ++s)
        table.Field(slotNames[s]).SetAsText(club + " " + std::to_string(s + 1) + " " + number);
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

std::map<std::string, std::array<std::string, SlotCount>> TeamsInTable(TRecordTable& table) {
    std::map<std::string, std::array<std::string, SlotCount>> teams;
    for (const TDivisionValues& division : AllDivisions(table))
        teams[division.Klasse] = division.Teams;
    return teams;
}

// Another program replaces the division file with a version of its own.
void ChangeFromOutside(const std::string& title) {
    TRecordTable theirs("t_staffel");
    theirs.Load(StaffelFileName);
    for (int row = 0; row < theirs.DisplayCount(); ++row) {
        theirs.MoveTo(row);
        theirs.Edit();
        theirs.Field("Ueberschrift").SetAsText(title);
        theirs.Post();
    }
    theirs.Save(StaffelFileName);
}

bool UnsavedVersionBesideFile() {
    return !QDir().entryList({QStringLiteral("Ligatafel.ungespeichert-*.xml")}).isEmpty();
}

int SeasonClashes(TRecordTable& table) {
    return TSeason(AllDivisions(table), TClubDirectory()).ClashCount();
}

class SlotProposal : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        window->Store.AfterSave.push_back([this](const std::string& name) {
            if (name == StaffelFileName)
                ++divisionSaves;
        });
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

    // A second pair of divisions like the first, of other clubs: the whole
    // season then changes two divisions.
    void AddSecondPair() {
        TRecordTable& table = window->t_staffel();
        AddDivision(table, "Bezirksklasse", "III", "Klub");
        AddDivision(table, "Kreisklasse", "IV", "Klub");
        window->Store.SaveStaffel();
    }

    int divisionSaves = 0;
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

TEST_F(SlotProposal, WholeSeasonSavesOnce) {
    AddSecondPair();
    Open<TSeasonOptimizeDialog>(&TSeasonMenu::OptimizeSeason, [&](TSeasonOptimizeDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Result());
        ASSERT_GE(dialog.Result()->Divisions.size(), 2u);
        divisionSaves = 0;
        dialog.ButtonApply->click();
        EXPECT_EQ(divisionSaves, 1);
        EXPECT_EQ(dialog.LabelStatus->text(), "Die Vorschläge wurden übernommen und gespeichert.");
        EXPECT_EQ(TeamsInFile(StaffelFileName), TeamsInTable(window->t_staffel()));
        divisionSaves = 0;
        dialog.ButtonUndo->click();
        EXPECT_EQ(divisionSaves, 1) << "undo is one step too";
    });
    EXPECT_TRUE(boxes.Errors().empty());
}

// A failure anywhere in the middle leaves every division, in the table and in
// the file, as before, says which, and the dialog can apply again.
TEST_F(SlotProposal, WholeSeasonFailureChangesNothing) {
    const std::string unchanged =
        " Es wurde nichts geändert; die Staffeln und die Datei sind wie vorher.";
    AddSecondPair();
    Open<TSeasonOptimizeDialog>(&TSeasonMenu::OptimizeSeason, [&](TSeasonOptimizeDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        ASSERT_TRUE(dialog.Result());
        ASSERT_GE(dialog.Result()->Divisions.size(), 2u);
        TRecordTable& table = window->t_staffel();
        const std::string second =
            AllDivisions(table)[dialog.Result()->Divisions[1].Division].Klasse;
        const auto teams = TeamsInTable(table);
        ASSERT_EQ(TeamsInFile(StaffelFileName), teams);
        const std::string file = TScratchFolder::Read(StaffelFileName);
        const std::string full = FullPath(StaffelFileName);

        struct TCase {
            const char* Name;
            std::function<int(TAtomicStep)> Fault; // for every atomic write
            bool SecondRowRefused;
            bool FileRewritten;
            std::string Error;
        };
        int syncs = 0;
        const TCase cases[] = {
            {"save fails", [](TAtomicStep step) { return step == TAtomicStep::Rename ? EIO : 0; },
             false, false,
             "Die Schlüsselzahlen konnten nicht gespeichert werden (Datei \"" + full +
                 "\" kann nicht erstellt werden. Input/output error)." + unchanged},
            {"second row refused", nullptr, true, false,
             "Die Schlüsselzahlen der Staffel " + second +
                 " 2026 können nicht eingetragen werden (abgelehnt)." + unchanged},
            {"folder sync fails once, the new rows are in the file",
             [&](TAtomicStep step) {
                 return step == TAtomicStep::SyncFolder && syncs++ == 0 ? EIO : 0;
             },
             false, true, ""},
        };
        for (const TCase& c : cases) {
            boxes.Clear();
            std::optional<TAtomicFaultScope> fault;
            if (c.Fault)
                fault.emplace(c.Fault);
            if (c.SecondRowRefused)
                table.BeforePost = [&](TRecordTable& t) {
                    if (t.Field("Klasse").AsText() == second)
                        throw TStaffelError("abgelehnt");
                };
            dialog.ButtonApply->click();
            table.BeforePost = nullptr;
            fault.reset();

            EXPECT_EQ(TeamsInTable(table), teams) << c.Name;
            EXPECT_EQ(TeamsInFile(StaffelFileName), teams) << c.Name;
            if (!c.FileRewritten) {
                EXPECT_EQ(TScratchFolder::Read(StaffelFileName), file) << c.Name;
            }
            EXPECT_EQ(table.State(), tsBrowse) << c.Name;
            ASSERT_EQ(boxes.Errors().size(), 1u) << c.Name;
            const std::string error = boxes.Errors()[0];
            if (c.Error.empty()) {
                EXPECT_TRUE(error.ends_with(
                    "Die vorherige Verteilung wurde wiederhergestellt und gespeichert."))
                    << c.Name << ": " << error;
            } else {
                EXPECT_EQ(error, c.Error) << c.Name;
            }
            EXPECT_EQ(dialog.LabelStatus->text().toStdString(), error) << c.Name;
            EXPECT_TRUE(dialog.ButtonApply->isEnabled()) << c.Name;
            EXPECT_FALSE(dialog.ButtonUndo->isEnabled()) << c.Name;
        }

        boxes.Clear();
        dialog.ButtonApply->click();
        EXPECT_TRUE(boxes.Errors().empty());
        EXPECT_NE(TeamsInFile(StaffelFileName), teams) << "applied after all";
        EXPECT_EQ(TeamsInFile(StaffelFileName), TeamsInTable(table));
    });
}

// "Andere Fassung laden" in the question before the save: nothing is applied,
// and neither dialog says it was saved.
TEST_F(SlotProposal, OtherVersionLoadedIsNotReportedAsSaved) {
    std::string title;
    const auto answerLoadTheirs = [&] {
        title += "x";
        ChangeFromOutside(title);
        boxes.Clear();
        boxes.Answer(caAccept);
    };
    const auto check = [&](QLabel& status, const char* what) {
        EXPECT_EQ(boxes.Questions().size(), 1u) << what;
        EXPECT_EQ(boxes.PendingAnswers(), 0u) << what;
        EXPECT_TRUE(boxes.Errors().empty()) << what;
        const QString text = status.text();
        EXPECT_FALSE(text.contains(QStringLiteral("gespeichert"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("nicht übernommen"))) << text.toStdString();
        EXPECT_EQ(TeamsInTable(window->t_staffel()), TeamsInFile(StaffelFileName)) << what;
        window->t_staffel().First();
        EXPECT_EQ(window->t_staffel().Field("Ueberschrift").AsText(), title) << what;
        EXPECT_TRUE(UnsavedVersionBesideFile()) << what;
    };
    const auto before = TeamsInFile(StaffelFileName);
    Open<TSlotProposalDialog>(&TSeasonMenu::ProposeSlots, [&](TSlotProposalDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        answerLoadTheirs();
        dialog.ButtonApply->click();
        check(*dialog.LabelStatus, "proposal");
        EXPECT_EQ(TeamsInFile(StaffelFileName), before);
        EXPECT_FALSE(dialog.ButtonUndo->isEnabled());
    });
    Open<TSeasonOptimizeDialog>(&TSeasonMenu::OptimizeSeason, [&](TSeasonOptimizeDialog& dialog) {
        WaitForSearch([&] { return dialog.Searching(); });
        answerLoadTheirs();
        dialog.ButtonApply->click();
        check(*dialog.LabelStatus, "whole season");
        EXPECT_EQ(TeamsInFile(StaffelFileName), before);
        EXPECT_FALSE(dialog.ButtonUndo->isEnabled());
        EXPECT_TRUE(dialog.ButtonApply->isEnabled());
    });
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
