// The results window and the table beside it on one sample division: the
// typing path, a refused result, undo, the table as the core ranks it, and
// the main window keeping records with their ties.
#include "test_StaffelplanFixture.h"

#include "SeasonTables.h"
#include "report/qt/QtText.h"
#include "season/Standings.h"
#include "season/TieLists.h"
#include "season/TieRules.h"
#include "season/TieTable.h"
#include "tests/report/DivisionSamples.h"
#include "ui/windows/Begegnungen.h"
#include "ui/windows/Saisonuebersicht.h"
#include "ui/windows/Tabelle.h"
#include "ui/windows/TieGrid.h"
#include "ui/windows/TieRowsModel.h"

#include <QListWidget>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>

namespace {

const TTieResult Played53{{5, 3}, {11, 7}, {386, 301}};

std::vector<TTieRecord> TiesInFile() {
    if (!TScratchFolder::Exists(BegegnungenFileName))
        return {};
    TRecordTable table("Begegnungen");
    table.Load(BegegnungenFileName);
    return TiesFromTable(table).Ties;
}

class BegegnungenTest : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        RefillDivisionTable(window->t_staffel(), {SampleDivision(false, 2026)});
        window->Store.SaveStaffel();
        window->OpenBegegnungen();
        results = window->Begegnungen;
        ASSERT_NE(results, nullptr);
        QApplication::setActiveWindow(results);
        results->Grid1->setFocus();
    }

    // Keys as the user types them, to whatever has the focus.
    static void Type(const char* text) {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
    }
    static void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void TypeResult(const char* spiele, const char* saetze, const char* punkte) {
        Type(spiele);
        Key(Qt::Key_Tab);
        Type(saetze);
        Key(Qt::Key_Tab);
        Type(punkte);
        Key(Qt::Key_Return);
    }
    const TSeasonGame& Game(int row) const { return results->Rows->Game(row); }
    QString Cell(int row, int column) const {
        return results->Rows->index(row, column).data().toString();
    }
    TTieRecord Record(int row, TTieResult result) const {
        TTieRecord record = NewTieRecord(*results->Season(), Game(row));
        record.Status = TTieState::Gespielt;
        record.Result = result;
        return record;
    }

    TBegegnungen* results = nullptr;
};

TEST_F(BegegnungenTest, TypedRowsAreSavedAndTheNextOpenTieIsOpenedForTyping) {
    ASSERT_EQ(results->CurrentRow(), 0);
    const struct {
        const char* Spiele;
        const char* Saetze;
        const char* Punkte;
        TTieResult Result;
    } rows[] = {{"5:3", "11:7", "386:301", Played53},
                {"4:4", "9:9", "", {{4, 4}, {9, 9}, {}}},
                {"0:8", "1:16", "200:336", {{0, 8}, {1, 16}, {200, 336}}}};
    for (int r = 0; r < 3; ++r) {
        const TSeasonGame game = Game(r);
        TypeResult(rows[r].Spiele, rows[r].Saetze, rows[r].Punkte);
        const std::vector<TTieRecord> saved = TiesInFile();
        ASSERT_EQ(saved.size(), static_cast<size_t>(r + 1)) << r;
        EXPECT_EQ(saved.back().Heim, game.HomeTeam) << r;
        EXPECT_EQ(saved.back().Gast, game.AwayTeam) << r;
        EXPECT_EQ(saved.back().Status, TTieState::Gespielt) << r;
        EXPECT_EQ(saved.back().Result, rows[r].Result) << r;
        EXPECT_EQ(results->CurrentRow(), r + 1) << r;
        EXPECT_EQ(results->Grid1->currentIndex().column(), tcSpiele) << r;
        EXPECT_TRUE(results->Grid1->Editing()) << r;
    }
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(BegegnungenTest, AMoveTypedIntoTheRowIsSavedWithItsDateAndTime) {
    Key(Qt::Key_Tab); // Sätze
    Key(Qt::Key_Tab); // Punkte
    Key(Qt::Key_Tab); // Bemerkung
    Type("Halle belegt");
    Key(Qt::Key_Tab); // Datum
    Type("3.10.2026");
    Key(Qt::Key_Tab);
    Type("19:30");
    Key(Qt::Key_Return);
    const std::vector<TTieRecord> saved = TiesInFile();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].Datum, DayFromCivil(2026, 10, 3));
    EXPECT_EQ(saved[0].Uhrzeit, "19:30");
    EXPECT_EQ(saved[0].Status, TTieState::Offen);
    EXPECT_EQ(saved[0].Bemerkung, "Halle belegt");
    // Moved behind the later ties, marked.
    const int row = results->Rows->RowOf(results->Season()->Games(0).front());
    EXPECT_GT(row, 0);
    EXPECT_EQ(Cell(row, tcMoved), QStringLiteral("verlegt"));
}

TEST_F(BegegnungenTest, ARefusedResultShowsTheRuleAndKeepsTheTypedText) {
    TypeResult("5:2", "11:7", "");
    ASSERT_EQ(boxes.Errors().size(), 1u);
    TTieRecord typed = Record(0, {{5, 2}, {11, 7}, {}});
    EXPECT_EQ(boxes.Errors()[0], TieRecordProblem(typed).value());
    EXPECT_EQ(Cell(0, tcSpiele), QStringLiteral("5:2"));
    EXPECT_EQ(Cell(0, tcSaetze), QStringLiteral("11:7"));
    EXPECT_EQ(results->CurrentRow(), 0);
    EXPECT_FALSE(TScratchFolder::Exists(BegegnungenFileName));
}

TEST_F(BegegnungenTest, UndoPutsBackWhatWasThereBeforeTheLastSave) {
    const struct {
        const char* Name;
        std::optional<TTieResult> Before;
    } cases[] = {{"no record before", {}}, {"a result before", TTieResult{{4, 4}, {9, 9}, {}}}};
    for (const auto& c : cases) {
        for (const TTieRecord& record : TiesInFile())
            RemoveTieRecord(window->Store, record);
        if (c.Before)
            SaveTieRecord(window->Store, Record(0, *c.Before));
        results->Grid1->EditCell(0, tcSpiele);
        TypeResult("5:3", "11:7", "386:301");
        ASSERT_EQ(TiesInFile().size(), 1u) << c.Name;
        ASSERT_TRUE(results->CanUndo()) << c.Name;
        results->Undo();
        const std::vector<TTieRecord> after = TiesInFile();
        ASSERT_EQ(after.size(), c.Before ? 1u : 0u) << c.Name;
        if (c.Before)
            EXPECT_EQ(after[0].Result, *c.Before) << c.Name;
        EXPECT_FALSE(results->CanUndo()) << c.Name;
    }
}

TEST_F(BegegnungenTest, TheTableShowsTheRanksTheCoreGives) {
    // Level on points; the matches difference puts the second winner first.
    const TSeasonGame first = Game(0), second = Game(1);
    SaveTieRecord(window->Store, Record(0, {{5, 3}, {11, 7}, {}}));
    SaveTieRecord(window->Store, Record(1, {{6, 2}, {12, 5}, {}}));
    results->OpenTabelle();
    TTabelle& table = *results->Tabelle;
    const TDivisionStandings expected = MakeStandings(*results->Season(), results->Division());
    ASSERT_EQ(table.Grid1->rowCount(), static_cast<int>(expected.Rows.size()));
    EXPECT_EQ(table.Grid1->item(0, 1)->text(), ToQString(second.HomeTeam));
    EXPECT_EQ(table.Grid1->item(1, 1)->text(), ToQString(first.HomeTeam));
    for (int r = 0; r < table.Grid1->rowCount(); ++r)
        EXPECT_EQ(table.Grid1->item(r, 1)->text(), ToQString(expected.Rows[r].Team)) << r;

    // Withdrawn: last, without figures, also in the file.
    table.Grid1->setCurrentCell(0, 1);
    boxes.Answer(caAccept);
    table.ToggleWithdrawn();
    EXPECT_EQ(table.Grid1->item(table.Grid1->rowCount() - 1, 1)->text(),
              ToQString(second.HomeTeam) + " 1)");
    EXPECT_EQ(TiesInFile().back().Status, TTieState::Zurueckgezogen);
}

TEST_F(BegegnungenTest, RenamingATeamInTheMainWindowCarriesItsRecords) {
    const TSeasonGame game = Game(0);
    SaveTieRecord(window->Store, Record(0, Played53));
    Press(nbEdit);
    TDBEdit* slot = window->SlotEdits[static_cast<int>(game.Home)];
    slot->selectAll();
    QTest::keyClicks(slot, "TV Neu");
    Press(nbPost);
    EXPECT_TRUE(boxes.Shown.empty());
    const std::vector<TTieRecord> saved = TiesInFile();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].Heim, "TV Neu");
    EXPECT_EQ(saved[0].Result, Played53);
    EXPECT_TRUE(results->Orphans().empty());
}

TEST_F(BegegnungenTest, ATeamRemovedFromItsTieIsAskedFirstAndItsRecordListed) {
    const struct {
        TConfirmAnswer Answer;
        bool Changed;
    } cases[] = {{caDecline, false}, {caAccept, true}};
    for (const auto& c : cases) {
        const TSeasonGame game = Game(0);
        SaveTieRecord(window->Store, Record(0, Played53));
        Press(nbEdit);
        window->SlotEdits[static_cast<int>(game.Home)]->selectAll();
        QTest::keyClick(window->SlotEdits[static_cast<int>(game.Home)], Qt::Key_Delete);
        boxes.Clear();
        boxes.Answer(c.Answer);
        Press(nbPost);
        ASSERT_EQ(boxes.Questions().size(), 1u) << c.Changed;
        EXPECT_NE(boxes.Questions()[0].find(Cp1252ToUtf8(game.HomeTeam)), std::string::npos);
        EXPECT_EQ(results->Orphans().size(), c.Changed ? 1u : 0u);
        if (!c.Changed)
            Press(nbCancel);
    }
    // Listed, it can be given the tie of the team that took the slot.
    ASSERT_EQ(results->ListOrphans->count(), 1);
    const std::vector<int> free = results->RowsWithoutRecord();
    ASSERT_FALSE(free.empty());
    results->ReattachOrphan(0, free.front());
    EXPECT_TRUE(results->Orphans().empty());
    ASSERT_EQ(TiesInFile().size(), 1u);
    EXPECT_EQ(TiesInFile()[0].Result, Played53);
}

TEST_F(BegegnungenTest, TheOverviewListsMovedTiesAndMissingResults) {
    TTieRecord moved = NewTieRecord(*results->Season(), Game(0));
    moved.Datum = DayFromCivil(2026, 9, 20);
    SaveTieRecord(window->Store, moved);
    SaveTieRecord(window->Store, Record(1, Played53));
    window->OpenSaisonuebersicht();
    TSaisonuebersicht& overview = *window->Saisonuebersicht;
    const TDaySerial day = *DayFromCivil(2026, 9, 10);
    overview.CurrentDay = [day] { return day; };
    overview.ShowSeason(2026);
    EXPECT_EQ(overview.MovedModel->rowCount(), 1);
    const auto missing = TiesWithoutResult(*overview.Season(), day);
    EXPECT_EQ(overview.MissingModel->rowCount(), static_cast<int>(missing.size()));
    EXPECT_EQ(missing.size(), 2u); // match day 1 without the played and the moved tie
}

} // namespace
