// The calendar window's match-day proposal and holiday import, from the
// button to the saved files.
#include "test_StaffelplanFixture.h"

#include "SeasonTables.h"
#include "tests/report/DivisionSamples.h"
#include "ui/windows/Saisonuebersicht.h"

#include "season/HolidayFindings.h"
#include "ui/windows/HolidayState.h"
#include "ui/windows/Spieltage.h"
#include "ui/windows/SpieltageVorschlag.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableWidget>

namespace {

TDaySerial Date(unsigned day, unsigned month, int year) {
    return *DayFromCivil(year, month, day);
}

const char* const AutumnHolidays =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//DE\r\n"
    "BEGIN:VEVENT\r\nSUMMARY:Herbstferien\r\nDTSTART;VALUE=DATE:20261012\r\n"
    "DTEND;VALUE=DATE:20261025\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nSUMMARY:Weihnachtsferien\r\nDTSTART;VALUE=DATE:20261223\r\n"
    "DURATION:P14D\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

class SpieltageVorschlagTest : public StaffelplanTest {
protected:
    void SetUp() override {
        ForgetState();
        StaffelplanTest::SetUp();
        calendar = std::make_unique<TSpieltage>(window->Store, window->d_spieltage);
    }
    void TearDown() override {
        calendar.reset();
        window.reset();
        ForgetState();
    }
    // The test program keeps the settings in a folder of its own (QtGTestMain).
    static void ForgetState() {
        QSettings(QStringLiteral("Staffelplan"), QStringLiteral("Staffelplan")).clear();
    }
    void WriteFile(const char* name, const std::string& content) {
        std::ofstream(name, std::ios::binary) << content;
    }
    void Import(const char* name) {
        calendar->AskICalFile = [name](QWidget*) { return QString::fromLatin1(name); };
        calendar->ButtonFerien->click();
    }

    std::unique_ptr<TSpieltage> calendar;
};

TEST_F(SpieltageVorschlagTest, DefaultsProposalAndReasonsSideBySide) {
    TMatchDaySources sources{2026,
                             TGermanState::NI,
                             {{Date(12, 10, 2026), Date(24, 10, 2026), "Herbstferien", "x"}},
                             {{"TV Hude", 1, {Date(5, 9, 2026)}}}};
    TSpieltageVorschlag dialog(sources);
    EXPECT_EQ(dialog.DateFrueh->date(), QDate(2026, 9, 1));
    EXPECT_EQ(dialog.DateSpaet->date(), QDate(2027, 3, 31));
    EXPECT_EQ(dialog.DateHinrunde->date(), QDate(2026, 12, 20));
    EXPECT_EQ(dialog.ComboWochentag->currentText(), "Samstag");
    EXPECT_EQ(dialog.SpinWochen->value(), 2);
    EXPECT_TRUE(dialog.CheckNachbarn->isChecked());
    ASSERT_EQ(dialog.GridVorschlag->rowCount(), 8);
    EXPECT_EQ(dialog.GridVorschlag->item(0, 1)->text(), "Sa 12.09.2026");
    EXPECT_EQ(dialog.GridAusgeschlossen->item(0, 1)->text(), "Tag der Deutschen Einheit");
    EXPECT_FALSE(dialog.ButtonUebernehmen->isEnabled()); // nobody to take it

    dialog.ComboTage->setCurrentIndex(1);
    ASSERT_EQ(dialog.GridVorschlag->rowCount(), 10);
    EXPECT_EQ(dialog.GridVorschlag->item(4, 0)->text(), "4A");

    dialog.DateHinrunde->setDate(QDate(2026, 10, 10));
    EXPECT_EQ(dialog.GridVorschlag->rowCount(), 0);
    EXPECT_EQ(dialog.LabelErgebnis->text(),
              "Zwischen 01.09. und 10.10. gibt es nur 3 freie Samstage mit 2 Wochen Abstand.");

    // The year brings its own default dates.
    dialog.SpinJahr->setValue(2027);
    EXPECT_EQ(dialog.DateHinrunde->date(), QDate(2027, 12, 20));
}

TEST_F(SpieltageVorschlagTest, TakenCalendarIsSavedThroughTheEditingCycle) {
    int shown = 0;
    calendar->ShowDialog = [&](QDialog& dialog) {
        ++shown;
        auto& proposal = static_cast<TSpieltageVorschlag&>(dialog);
        proposal.ComboLand->setCurrentIndex(static_cast<int>(TGermanState::NI));
        proposal.SpinJahr->setValue(2026);
        EXPECT_TRUE(proposal.ButtonUebernehmen->isEnabled());
        proposal.ButtonUebernehmen->click();
        return dialog.result();
    };
    calendar->ButtonVorschlag->click();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(boxes.Shown.empty()) << boxes.Shown.front();
    EXPECT_EQ(SavedHolidayState(), TGermanState::NI);
    const std::string file = TScratchFolder::Read(SpieltageFileName);
    EXPECT_NE(file.find("Jahr=\"2026\" 1dat=\"20260905\""), std::string::npos) << file;
    EXPECT_EQ(window->t_spieltage().State(), tsBrowse);

    // Again for 2026: its dates are replaced once confirmed, no second calendar.
    boxes.Answer(caAccept);
    calendar->ButtonVorschlag->click();
    ASSERT_EQ(boxes.Questions().size(), 1u);
    EXPECT_NE(boxes.Questions()[0].find("Für 2026 gibt es schon"), std::string::npos);
    const std::string again = TScratchFolder::Read(SpieltageFileName);
    EXPECT_EQ(again.find("Jahr=\"2026\""), again.rfind("Jahr=\"2026\""));
}

TEST_F(SpieltageVorschlagTest, ImportedHolidaysReachFerienXmlAndTheOverview) {
    EXPECT_FALSE(TScratchFolder::Exists(FerienFileName));
    WriteFile("niedersachsen.ics", AutumnHolidays);
    boxes.Answer(caAccept);
    Import("niedersachsen.ics");
    ASSERT_EQ(boxes.Questions().size(), 1u);
    EXPECT_NE(boxes.Questions()[0].find("2 Ferienabschnitte aus „niedersachsen.ics“ übernehmen?\n"
                                        "\n12.10.2026 – 24.10.2026  Herbstferien"),
              std::string::npos)
        << boxes.Questions()[0];
    EXPECT_EQ(boxes.Notices(), std::vector<std::string>{"2 Ferienabschnitte wurden übernommen."});
    const std::string file = TScratchFolder::Read(FerienFileName);
    EXPECT_NE(file.find("Von=\"20261012\" Bis=\"20261024\" Name=\"Herbstferien\" "
                        "Quelle=\"niedersachsen.ics\""),
              std::string::npos)
        << file;

    // The same file again adds nothing; a file that is no iCalendar is refused.
    boxes.Clear();
    Import("niedersachsen.ics");
    EXPECT_EQ(boxes.Notices(), std::vector<std::string>{
                                   "Alle Ferien aus „niedersachsen.ics“ sind schon eingetragen."});
    WriteFile("liste.csv", "Von;Bis\n12.10.2026;24.10.2026\n");
    boxes.Clear();
    Import("liste.csv");
    ASSERT_EQ(boxes.Errors().size(), 1u);
    EXPECT_NE(boxes.Errors()[0].find("ist keine iCalendar-Datei; es wurde nichts importiert."),
              std::string::npos);
    EXPECT_EQ(TScratchFolder::Read(FerienFileName), file);

    // A division playing in the autumn holidays, seen with the holidays read back.
    const TDaysOff daysOff = DaysOffOf(window->Store, std::nullopt);
    ASSERT_TRUE(daysOff.SchoolHolidayOn(Date(17, 10, 2026)));
    EXPECT_EQ(*daysOff.ReasonOff(Date(17, 10, 2026)), "Herbstferien");
    EXPECT_FALSE(daysOff.ReasonOff(Date(3, 10, 2026)));
}

// Match days on 03.10. (a public holiday in Lower Saxony) and, once the
// holidays are imported, in the autumn holidays: findings of their own kind.
TEST_F(SpieltageVorschlagTest, OverviewShowsMatchDaysInHolidays) {
    SaveHolidayState(TGermanState::NI);
    RefillDivisionTable(window->t_staffel(), {SampleDivision(false, 2026)});
    window->Store.SaveStaffel();
    window->OpenSaisonuebersicht();
    TSaisonuebersicht& overview = *window->Saisonuebersicht;
    const auto holidays = [&] {
        std::vector<std::string> found;
        for (const TClash& clash : overview.Findings())
            if (clash.Kind == ckHoliday)
                found.push_back(TRegionalSettings::German().FormatDate(clash.Date) + " " +
                                clash.Holiday);
        return found;
    };
    EXPECT_EQ(holidays(), std::vector<std::string>{"03.10.2026 Tag der Deutschen Einheit"});
    EXPECT_TRUE(overview.Label1->text().contains("1 Spieltag in Ferien oder an Feiertagen"))
        << overview.Label1->text().toStdString();
    EXPECT_EQ(overview.ClashModel->item(0)->text(), "Sa 03.10.2026");
    EXPECT_EQ(overview.ClashModel->item(0)->child(0, 1)->text(), "Ferien");

    WriteFile("niedersachsen.ics", AutumnHolidays);
    boxes.Answer(caAccept);
    Import("niedersachsen.ics");
    const std::vector<std::string> expected = {"03.10.2026 Tag der Deutschen Einheit",
                                               "17.10.2026 Herbstferien",
                                               "24.10.2026 Herbstferien"};
    EXPECT_EQ(holidays(), expected);
}

} // namespace
