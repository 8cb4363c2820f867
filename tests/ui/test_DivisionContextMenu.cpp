// The division list's context menu: its actions, how it opens, the plan
// check dialog and the files the exports write.
#include "data/Records.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/DataSource.h"
#include "ui/exports/DivisionContextMenu.h"
#include "ui/exports/PlanCheckDialog.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// Records the boxes; installed for its lifetime so the error guard reaches it.
class TRecordingBoxes : public TMessageBoxes {
public:
    TRecordingBoxes() : former_(SetMessageBoxes(this)) {}
    ~TRecordingBoxes() override { SetMessageBoxes(former_); }
    TConfirmAnswer Confirm(const std::string& question, TConfirmButtons) override {
        ADD_FAILURE() << "unexpected question: " << question;
        return caClosed;
    }
    TConfirmAnswer Choose(const std::string& question, const std::string&,
                          const std::string&) override {
        return Confirm(question, cbYesNo);
    }
    void Inform(const std::string& text) override { Notices.push_back(text); }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    std::vector<std::string> Notices, Errors;

private:
    TMessageBoxes* former_;
};

std::string ReadFile(const QString& name) {
    std::ifstream in(name.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class DivisionContextMenu : public ::testing::Test {
protected:
    void SetUp() override {
        DefineFields(table, StaffelRecordFields());
        table.CreateEmpty();
        table.OnNewRecord = t_staffelNewRecord;
        AddDivision("Kreisliga", false);
        AddDivision("Bezirksliga", true);
        AddDivision("Landesliga", false);
        table.MoveTo(1);
        source.SetDataSet(&table);
        grid.SetDataSource(&source);
        grid.resize(500, 200);
        menu = InstallDivisionContextMenu(&grid, table, &boxes);
        menu->AskSaveFileName = [this](QWidget*, const QString& caption, const QString& name,
                                       const QString&) {
            asked.push_back(caption + " | " + name);
            return answer;
        };
        menu->ShowModal = [this](QDialog& dialog) {
            auto& check = dynamic_cast<TPlanCheckDialog&>(dialog);
            shownLabel = check.Label1->text();
            shownListVisible = !check.ListBox1->isHidden();
            for (int i = 0; i < check.ListBox1->count(); ++i)
                shownFindings.push_back(check.ListBox1->item(i)->text());
            return 1;
        };
        menu->Popup = [this](QMenu& shown, const QPoint& position) {
            popups.push_back(position);
            enabled.clear();
            for (QAction* action : shown.actions())
                if (!action->isSeparator())
                    enabled.push_back(action->isEnabled());
        };
        menu->NowUtc = [] { return std::int64_t{1796803200}; };
        menu->OutputDay = [] { return *DayFromCivil(2026, 12, 9); };
    }

    void AddDivision(const std::string& klasse, bool tenTeams) {
        table.Append();
        table.Field("Klasse").SetAsText(klasse);
        table.Field("Jahr").SetAsInteger(2026);
        table.Field("10Klasse").SetAsBoolean(tenTeams);
        table.Field("Mannschaft").SetAsText("Team 2B");
        for (int s = 0; s < SlotCount; ++s) {
            const std::string slot(SlotFieldName(static_cast<TSlotName>(s)));
            table.Field(slot).SetAsText("Team " + slot);
        }
        int week = 0;
        for (TSpieltagKey key : SpieltageInTimeOrder())
            table.Field(SpieltagDateFieldName(key))
                .SetAsDateTime(*DayFromCivil(2026, 9, 5) + 7 * week++);
        table.Post();
    }

    void SetTeams(int row, const std::string& prefix) {
        table.MoveTo(row);
        table.Edit();
        for (int s = 0; s < SlotCount; ++s) {
            const std::string slot(SlotFieldName(static_cast<TSlotName>(s)));
            table.Field(slot).SetAsText(prefix + " " + slot);
        }
        table.Field("Mannschaft").SetAsText(prefix + " 2B");
        table.Post();
    }

    QString FileIn(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    TRecordTable table{"t_staffel"};
    TDataSource source;
    TDBGrid grid;
    TRecordingBoxes boxes;
    TDivisionContextMenu* menu = nullptr;
    QTemporaryDir folder;
    QString answer;
    std::vector<QString> asked;
    QString shownLabel;
    bool shownListVisible = false;
    std::vector<QString> shownFindings;
    std::vector<QPoint> popups;
    std::vector<bool> enabled;
};

TEST_F(DivisionContextMenu, ActionsWithTheirGermanTexts) {
    std::vector<QString> texts;
    for (QAction* action : menu->Menu()->actions())
        texts.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
    const std::vector<QString> expected = {
        QStringLiteral("Spielplan prüfen …"),
        QStringLiteral("-"),
        QStringLiteral("Spiele der eigenen Mannschaft als Kalender exportieren …"),
        QStringLiteral("Alle Spiele der Staffel als Kalender exportieren …"),
        QStringLiteral("Spielplan als CSV exportieren …"),
        QStringLiteral("-"),
        QStringLiteral("Alle Staffeln als PDF speichern …")};
    EXPECT_EQ(texts, expected);
}

TEST_F(DivisionContextMenu, OpensOnRightClickAndContextKey) {
    struct {
        QWidget* Target;
        QContextMenuEvent::Reason Reason;
    } const cases[] = {{grid.viewport(), QContextMenuEvent::Mouse},
                       {&grid, QContextMenuEvent::Keyboard}};
    for (const auto& c : cases) {
        popups.clear();
        QContextMenuEvent event(c.Reason, QPoint(20, 30), c.Target->mapToGlobal(QPoint(20, 30)));
        QApplication::sendEvent(c.Target, &event);
        ASSERT_EQ(popups.size(), 1u) << "reason " << c.Reason;
        if (c.Reason == QContextMenuEvent::Mouse)
            EXPECT_EQ(popups[0], c.Target->mapToGlobal(QPoint(20, 30)));
        EXPECT_EQ(enabled, std::vector<bool>(5, true)) << "reason " << c.Reason;
    }
    // Without a division there is nothing to check or export.
    TRecordTable empty("t_staffel");
    DefineFields(empty, StaffelRecordFields());
    empty.CreateEmpty();
    TDBGrid emptyGrid;
    InstallDivisionContextMenu(&emptyGrid, empty, &boxes)->Popup = menu->Popup;
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(1, 1));
    QApplication::sendEvent(&emptyGrid, &event);
    EXPECT_EQ(enabled, std::vector<bool>(5, false));
}

TEST_F(DivisionContextMenu, PlanCheckListsFindings) {
    // Teams of their own in the other divisions: no clashes with them.
    SetTeams(0, "Kreis");
    SetTeams(2, "Land");
    table.MoveTo(1);
    table.Edit();
    table.Field("3A").SetAsText("Team 1A");
    table.Field("8Adat").Clear();
    menu->CheckPlanAction->trigger();
    // Team 1A twice in the division is also a club at home twice at once.
    EXPECT_TRUE(
        shownLabel.startsWith(QStringLiteral("Staffel Bezirksliga 2026: 2 Fehler gefunden, ")))
        << shownLabel.toStdString();
    EXPECT_TRUE(shownListVisible);
    const std::vector<QString> expected = {
        QStringLiteral("Die Mannschaft „Team 1A“ steht in den Plätzen 1A und 3A."),
        QStringLiteral("Spieltag 8A hat kein Datum.")};
    ASSERT_GT(shownFindings.size(), 2u);
    EXPECT_EQ(std::vector<QString>(shownFindings.begin(), shownFindings.begin() + 2), expected);
    for (std::size_t i = 2; i < shownFindings.size(); ++i)
        EXPECT_TRUE(shownFindings[i].startsWith(QStringLiteral("Hallenkonflikt: „Team 1A“ ")))
            << shownFindings[i].toStdString();
    EXPECT_EQ(table.State(), tsBrowse) << "the pending edit was posted first";
    EXPECT_TRUE(boxes.Errors.empty());

    shownFindings.clear();
    table.MoveTo(0);
    menu->CheckPlanAction->trigger();
    EXPECT_EQ(shownLabel,
              QStringLiteral("Staffel Kreisliga 2026: Es wurden keine Fehler gefunden."));
    EXPECT_FALSE(shownListVisible);
}

TEST_F(DivisionContextMenu, PlanCheckListsClashesWithTheSeason) {
    // Teams of their own in the other divisions but one in Kreisliga, a
    // second team of Bezirksliga's Team 1A.
    SetTeams(0, "Kreis");
    SetTeams(2, "Land");
    table.MoveTo(0);
    table.Edit();
    table.Field("1A").SetAsText("Team 1A II");
    table.Post();

    table.MoveTo(1);
    menu->CheckPlanAction->trigger();
    ASSERT_FALSE(shownFindings.empty());
    const QString label = shownLabel;
    EXPECT_TRUE(label.startsWith(QStringLiteral("Staffel Bezirksliga 2026: Keine Fehler, ")))
        << label.toStdString();
    EXPECT_TRUE(label.endsWith(QStringLiteral(" mit anderen Staffeln der Saison.")))
        << label.toStdString();
    for (const QString& line : shownFindings) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("Hallenkonflikt: „Team 1A“ hat am ")))
            << line.toStdString();
        EXPECT_TRUE(line.contains(QStringLiteral("Bezirksliga 2026, Spieltag ")) &&
                    line.contains(QStringLiteral("Kreisliga 2026, Spieltag ")))
            << line.toStdString();
    }

    // A hall for two games at once: no clash left.
    TRecordTable clubs("t_vereine");
    DefineFields(clubs, VereineRecordFields());
    clubs.CreateEmpty();
    clubs.Append();
    clubs.Field("Verein").SetAsText("Team 1A");
    clubs.Field("Kapazitaet").SetAsInteger(2);
    clubs.Post();
    menu->ClubTable = &clubs;
    shownFindings.clear();
    menu->CheckPlanAction->trigger();
    EXPECT_EQ(shownLabel,
              QStringLiteral("Staffel Bezirksliga 2026: Es wurden keine Fehler gefunden."));
    EXPECT_TRUE(shownFindings.empty());
}

TEST_F(DivisionContextMenu, ExportsWriteTheirFiles) {
    table.Edit();
    table.Field("1dat").Clear();

    answer = FileIn("eigene.ics");
    menu->OwnCalendarAction->trigger();
    const std::string own = ReadFile(answer);
    EXPECT_EQ(Count(own, "BEGIN:VEVENT"), 16); // 18 games, two on match day 1
    EXPECT_EQ(boxes.Notices, std::vector<std::string>{
                                 "2 Spiele ohne Datum wurden nicht in den Kalender übernommen."});

    answer = FileIn("staffel.ics");
    menu->DivisionCalendarAction->trigger();
    EXPECT_EQ(Count(ReadFile(answer), "BEGIN:VEVENT"), 81);

    answer = FileIn("staffel.csv");
    menu->CsvAction->trigger();
    const std::string csv = ReadFile(answer);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFSpieltag;Datum;Uhrzeit;Heim;Gast\r\n", 0), 0u);
    EXPECT_EQ(Count(csv, "\r\n"), 91);

    answer = FileIn("alle.pdf");
    menu->AllPdfAction->trigger();
    const std::string pdf = ReadFile(answer);
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(Count(pdf, "/Type /Page\n"), 4); // 1 + 2 + 1 sheets
    if (!QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        QProcess info;
        info.start("pdfinfo", {answer});
        info.waitForFinished(30000);
        EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                        .contains(QRegularExpression(
                            QStringLiteral("Title: +Staffelplan – alle Staffeln\n"))));
    }

    const std::vector<QString> captions = {
        QStringLiteral("Kalender exportieren | Bezirksliga 2026 Team 2B.ics"),
        QStringLiteral("Kalender exportieren | Bezirksliga 2026.ics"),
        QStringLiteral("Spielplan als CSV exportieren | Bezirksliga 2026.csv"),
        QStringLiteral("Alle Staffeln als PDF speichern | Alle Staffeln.pdf")};
    EXPECT_EQ(asked, captions);
    EXPECT_TRUE(boxes.Errors.empty()) << boxes.Errors.front();
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(table.DisplayIndex(), 1);
}

TEST_F(DivisionContextMenu, CancelWritesNothingAndFailuresNameThePath) {
    answer.clear();
    menu->CsvAction->trigger();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());

    answer = FileIn("fehlt/staffel.csv");
    menu->CsvAction->trigger();
    ASSERT_EQ(boxes.Errors.size(), 1u);
    EXPECT_NE(boxes.Errors[0].find(answer.toStdString()), std::string::npos) << boxes.Errors[0];
    EXPECT_NE(boxes.Errors[0].find("kann nicht erstellt werden"), std::string::npos)
        << boxes.Errors[0];

    table.Edit();
    table.Field("Mannschaft").SetAsText("Niemand");
    answer = FileIn("eigene.ics");
    menu->OwnCalendarAction->trigger();
    ASSERT_EQ(boxes.Errors.size(), 2u);
    EXPECT_EQ(boxes.Errors[1],
              "Die eigene Mannschaft „Niemand“ steht in keinem Platz der Staffel.");
    EXPECT_FALSE(QFile::exists(answer));
}

} // namespace
