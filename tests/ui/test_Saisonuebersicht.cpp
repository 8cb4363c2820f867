// The season overview on a small hand-built season: its content, how it
// follows saves, the double click that makes a division current, and the
// clash export.
#include "test_StaffelplanFixture.h"

#include "SeasonTables.h"
#include "tests/report/DivisionSamples.h"
#include "ui/exports/ClubPlanDialog.h"
#include "ui/windows/Saisonuebersicht.h"
#include "ui/windows/SeasonOverviewModels.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

using enum TSlotName;

// Teams named after their division; TV Hude's two teams in 1A of both
// 2026 divisions, so every home game of theirs clashes (7 occasions).
TDivisionValues Division(const std::string& klasse, int year, const std::string& team1A) {
    TDivisionValues division = SampleDivision(false, year);
    division.Klasse = klasse;
    for (TSlotName slot : SlotsUsedBy(LayoutOf(division)))
        SetTeam(division, slot, klasse + " " + std::string(SlotFieldName(slot)));
    SetTeam(division, s1A, team1A);
    return division;
}

class SaisonuebersichtTest : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        RefillDivisionTable(window->t_staffel(),
                            {Division("Alt", 2025, "TV Hude"), Division("Nord", 2026, "TV Hude"),
                             Division("Sued", 2026, "TV Hude II")});
        window->Store.SaveStaffel();
        window->OpenSaisonuebersicht();
        overview = window->Saisonuebersicht;
        ASSERT_NE(overview, nullptr);
    }

    std::vector<QModelIndex> ClashLines() const {
        std::vector<QModelIndex> lines;
        QStandardItemModel& model = *overview->ClashModel;
        for (int d = 0; d < model.rowCount(); ++d)
            for (int c = 0; c < model.rowCount(model.index(d, 0)); ++c)
                lines.push_back(model.index(c, 0, model.index(d, 0)));
        return lines;
    }
    static QString Column(const QModelIndex& line, int column) {
        return line.sibling(line.row(), column).data().toString();
    }
    void RenameSued1A(const char* team) {
        TRecordTable& table = window->t_staffel();
        table.MoveTo(2);
        table.Edit();
        table.Field("1A").SetAsText(team);
        table.Post();
        window->Store.SaveStaffel();
    }

    TSaisonuebersicht* overview = nullptr;
};

TEST_F(SaisonuebersichtTest, ShowsTheCurrentDivisionsSeason) {
    EXPECT_TRUE(overview->isVisible());
    EXPECT_EQ(overview->windowTitle(), "Saisonübersicht");
    ASSERT_EQ(overview->ComboBox1->count(), 2);
    EXPECT_EQ(overview->ComboBox1->itemText(0), "2025");
    EXPECT_EQ(overview->ComboBox1->currentText(), "2026");
    EXPECT_EQ(overview->Label1->text(), "7 Konflikte · 0 Spiele ohne Datum · 2 Staffeln");

    const std::vector<QModelIndex> lines = ClashLines();
    ASSERT_EQ(lines.size(), 7u);
    QStringList dates;
    for (const QModelIndex& line : lines) {
        const QString where = line.parent().data().toString();
        EXPECT_TRUE(where.startsWith("Sa ")) << where.toStdString();
        dates.append(where);
        EXPECT_EQ(Column(line, ccWhat), "TV Hude") << where.toStdString();
        EXPECT_EQ(Column(line, ccKind), "Halle") << where.toStdString();
        EXPECT_EQ(Column(line, ccDivision), "Nord 2026, Sued 2026") << where.toStdString();
        EXPECT_EQ(Column(line, ccHome), "TV Hude, TV Hude II") << where.toStdString();
        ASSERT_EQ(overview->ClashModel->rowCount(line), 2) << where.toStdString();
        EXPECT_EQ(overview->ClashModel->index(0, 0, line).data(DivisionRole), 0);
        EXPECT_EQ(overview->ClashModel->index(1, 0, line).data(DivisionRole), 1);
    }
    // Grouped by date, in date order (all Saturdays a week apart).
    dates.removeDuplicates();
    EXPECT_EQ(dates.size(), overview->ClashModel->rowCount());
    EXPECT_EQ(dates.front(), "Sa 05.09.2026");

    // Home games per date: TV Hude's 14, every one of them beyond the capacity of 1.
    THomeGamesModel& homes = *overview->HomeGamesModel;
    const TClubId hude = overview->Season()->Clubs().FindClub("TV Hude");
    const int row = homes.RowOfClub(hude);
    ASSERT_GE(row, 0);
    EXPECT_EQ(homes.index(row, 0).data().toString(), "TV Hude");
    int sum = 0;
    for (int column = 1; column < homes.columnCount(); ++column) {
        const QModelIndex cell = homes.index(row, column);
        sum += cell.data().toInt();
        EXPECT_EQ(cell.data(Qt::BackgroundRole).isValid(), cell.data().toInt() > 0)
            << homes.headerData(column, Qt::Horizontal).toString().toStdString();
    }
    EXPECT_EQ(sum, 14);
}

TEST_F(SaisonuebersichtTest, FollowsEverySaveWithoutReopening) {
    struct {
        const char* Change;
        std::function<void()> Apply;
        const char* Label;
    } const cases[] = {
        {"a game without a date",
         [&] {
             TRecordTable& table = window->t_staffel();
             table.MoveTo(1);
             table.Edit();
             table.Field("8dat").Clear();
             table.Post();
             window->Store.SaveStaffel();
         },
         "5 Konflikte · 8 Spiele ohne Datum · 2 Staffeln"},
        {"the other team renamed", [&] { RenameSued1A("SC Nord"); },
         "Keine Konflikte · 8 Spiele ohne Datum · 2 Staffeln"},
        {"the team back", [&] { RenameSued1A("TV Hude II"); },
         "5 Konflikte · 8 Spiele ohne Datum · 2 Staffeln"},
        {"the club's hall holds two games",
         [&] {
             TRecordTable& clubs = window->Store.t_vereine();
             clubs.Append();
             clubs.Field("Verein").SetAsText("TV Hude");
             clubs.Field("Kapazitaet").SetAsInteger(2);
             clubs.Post();
             window->Store.SaveVereine();
         },
         "Keine Konflikte · 8 Spiele ohne Datum · 2 Staffeln"},
    };
    for (const auto& c : cases) {
        c.Apply();
        EXPECT_EQ(overview->Label1->text().toStdString(), c.Label) << c.Change;
        EXPECT_EQ(overview->ComboBox1->currentText(), "2026") << c.Change;
    }
}

TEST_F(SaisonuebersichtTest, HiddenOverviewCatchesUpWhenShown) {
    overview->hide();
    RenameSued1A("SC Nord");
    EXPECT_EQ(overview->Label1->text(), "7 Konflikte · 0 Spiele ohne Datum · 2 Staffeln");
    overview->show();
    EXPECT_EQ(overview->Label1->text(), "Keine Konflikte · 0 Spiele ohne Datum · 2 Staffeln");
}

TEST_F(SaisonuebersichtTest, ChoosingAnotherSeason) {
    overview->ComboBox1->setCurrentIndex(0);
    emit overview->ComboBox1->activated(0);
    EXPECT_EQ(overview->Year(), 2025);
    EXPECT_EQ(overview->Label1->text(), "Keine Konflikte · 0 Spiele ohne Datum · 1 Staffel");
    EXPECT_EQ(overview->ClashModel->rowCount(), 0);
}

TEST_F(SaisonuebersichtTest, DoubleClickOnAGameMakesItsDivisionCurrent) {
    TRecordTable& table = window->t_staffel();
    const QModelIndex clash = ClashLines().front();
    struct {
        int Game;
        const char* Klasse;
    } const cases[] = {{0, "Nord"}, {1, "Sued"}};
    for (const auto& c : cases) {
        table.MoveTo(0);
        emit overview->TreeView1->doubleClicked(overview->ClashModel->index(c.Game, ccHome, clash));
        EXPECT_EQ(table.Field("Klasse").AsText(), c.Klasse) << "game " << c.Game;
    }
    // A date or clash line names no division: nothing moves.
    table.MoveTo(0);
    emit overview->TreeView1->doubleClicked(clash);
    EXPECT_EQ(table.Field("Klasse").AsText(), "Alt");
}

// The overview's own way to the club plans: the season it shows, the club
// of the selected line chosen first.
TEST_F(SaisonuebersichtTest, ClubPlanOfTheShownSeasonAndTheSelectedClub) {
    QPushButton* plan = nullptr;
    for (QPushButton* button : overview->findChildren<QPushButton*>())
        if (button->text() == "Plan eines Vereins …")
            plan = button;
    ASSERT_NE(plan, nullptr);
    ASSERT_TRUE(plan->isEnabled());
    const auto shownPlan = [&] {
        QStringList clubs;
        QString chosen;
        window->ShowModal = [&](QDialog& shown) {
            auto* dialog = dynamic_cast<TClubPlanDialog*>(&shown);
            EXPECT_NE(dialog, nullptr);
            if (dialog) {
                for (int i = 0; i < dialog->ListBox1->count(); ++i)
                    clubs << dialog->ListBox1->item(i)->text();
                if (dialog->ListBox1->currentItem())
                    chosen = dialog->ListBox1->currentItem()->text();
            }
            return 0;
        };
        plan->click();
        return std::make_pair(clubs, chosen);
    };

    overview->TreeView1->setCurrentIndex(ClashLines().front());
    ASSERT_NE(overview->CurrentClub(), NoClub);
    const auto [clubs2026, chosen2026] = shownPlan();
    EXPECT_EQ(chosen2026, "TV Hude");
    EXPECT_FALSE(clubs2026.filter("Nord").isEmpty());
    EXPECT_TRUE(clubs2026.filter("Alt").isEmpty());

    overview->ComboBox1->setCurrentIndex(0);
    emit overview->ComboBox1->activated(0);
    const auto [clubs2025, chosen2025] = shownPlan();
    EXPECT_FALSE(clubs2025.filter("Alt").isEmpty()) << clubs2025.join(", ").toStdString();
    EXPECT_TRUE(clubs2025.filter("Nord").isEmpty());
    EXPECT_TRUE(boxes.Errors().empty());
}

TEST_F(SaisonuebersichtTest, ClashExportWritesTheCsv) {
    QTemporaryDir target;
    const QString file = target.filePath("Konflikte.csv");
    QString suggested;
    overview->AskSaveFileName = [&](QWidget*, const QString&, const QString& name, const QString&) {
        suggested = name;
        return file;
    };
    overview->ExportClashesAction->trigger();
    EXPECT_EQ(suggested, "Konflikte 2026.csv");
    const std::string csv = TScratchFolder::Read(file.toStdString());
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF"
                        "Datum;Uhrzeit;Verein;Art;Staffel;Spieltag;Heim;Gast\r\n",
                        0),
              0u)
        << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 14) << csv;
    EXPECT_NE(csv.find("05.09.2026;"), std::string::npos) << csv;

    // Without clashes there is nothing to export.
    RenameSued1A("SC Nord");
    EXPECT_FALSE(overview->ExportClashesAction->isEnabled());
}

} // namespace
