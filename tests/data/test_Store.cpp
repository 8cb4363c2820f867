#include "data/StaffelError.h"
#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "test_StoreSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using StoreTest = TStoreFolderTest;

std::string CreateError(const std::string& path, int error) {
    return "Datei \"" + path + "\" kann nicht erstellt werden. " + std::strerror(error);
}

} // namespace

TEST_F(StoreTest, FirstStartWritesBothFilesSilently) {
    store_.FormCreate();
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml")), Fixture("Ligatafel_first_start.xml"));
    EXPECT_EQ(ReadBytes(File("Spieltage.xml")), Fixture("Spieltage_first_start.xml"));
    EXPECT_EQ(FolderEntries(folder_.Path()),
              (std::vector<std::string>{"Ligatafel.xml", "Spieltage.xml"}));
    EXPECT_FALSE(store_.TakeStartupNotice());
    EXPECT_EQ(store_.t_staffel().State(), tsBrowse);
    EXPECT_EQ(store_.t_spieltage().DisplayCount(), 1);
    EXPECT_EQ(store_.table_kopie().State(), tsInactive);
}

TEST(Store, FirstStartUnderAnyDateFormatCreatesTheSameCalendar) {
    for (const char* format : {"yyyy-MM-dd", "M/d/yyyy", "dd/MM/yy"}) {
        TScratchFolder folder;
        TWorkingDirectory cwd(folder.Path());
        TRegionalSettings settings = TRegionalSettings::German();
        settings.ShortDateFormat = format;
        TStore store(settings, At140509);
        store.FormCreate();
        EXPECT_EQ(ReadBytes(folder.File("Spieltage.xml")), Fixture("Spieltage_first_start.xml"))
            << format;
    }
}

TEST_F(StoreTest, ExistingFilesAreLoadedAndNotWritten) {
    WriteBytes(File("Ligatafel.xml"), Fixture("Ligatafel_edited.xml"));
    WriteBytes(File("Spieltage.xml"), Fixture("Spieltage_first_start.xml"));
    const auto before = std::filesystem::last_write_time(File("Ligatafel.xml"));
    store_.FormCreate();
    EXPECT_EQ(store_.t_staffel().Field("Mannschaft").AsText(), "TV S\xFC"
                                                               "d & Co");
    EXPECT_EQ(std::filesystem::last_write_time(File("Ligatafel.xml")), before);
    EXPECT_EQ(FolderEntries(folder_.Path()).size(), 2u);
    EXPECT_FALSE(store_.TakeStartupNotice());
}

TEST_F(StoreTest, UnloadableFileIsKeptUnderABackupName) {
    const std::string corrupt = "<DATAPACKET><METADATA><FIELDS>";
    WriteBytes(File("Ligatafel.xml"), corrupt);
    WriteBytes(File("Spieltage.xml"), ""); // nothing in it to keep
    store_.FormCreate();
    const std::string backup = "Ligatafel.xml.20261209-140509.bak";
    EXPECT_EQ(FolderEntries(folder_.Path()),
              (std::vector<std::string>{"Ligatafel.xml", backup, "Spieltage.xml"}));
    EXPECT_EQ(ReadBytes(File(backup)), corrupt);
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml")), Fixture("Ligatafel_first_start.xml"));
    EXPECT_EQ(ReadBytes(File("Spieltage.xml")), Fixture("Spieltage_first_start.xml"));
    const auto notice = store_.TakeStartupNotice();
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find("\"" + File("Ligatafel.xml") + "\""), std::string::npos) << *notice;
    EXPECT_NE(notice->find("\"" + File(backup) + "\""), std::string::npos) << *notice;
    EXPECT_NE(notice->find("Mismatch in datapacket."), std::string::npos) << *notice;
    EXPECT_EQ(notice->find("Spieltage"), std::string::npos) << *notice;
    EXPECT_FALSE(store_.TakeStartupNotice());

    // A second corrupt start within the same second keeps both copies.
    WriteBytes(File("Ligatafel.xml"), "garbage");
    TStore again(TRegionalSettings::German(), At140509);
    again.FormCreate();
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml.20261209-140509-2.bak")), "garbage");
}

// The notice names the place of the fault: line, column and what stands
// there (in UTF-8, as every message), or that the file ends there.
TEST(Store, NoticeAboutAKeptFileNamesLineAndColumn) {
    const struct {
        std::string File;
        std::string Reason;
    } cases[] = {
        {"<DATAPACKET><METADATA><FIELDS>",
         "(Mismatch in datapacket. In Zeile 1, Spalte 31 endet die Datei)"},
        {"garbage", "(Mismatch in datapacket. In Zeile 1, Spalte 1 steht „garbage“)"},
        {"<?xml version=\"1.0\"?>\n<DATAPACKET>\n  <ROWDATA></ROWDATA>\n</DATAPACKET>",
         "(Datapacket contains no meta data. In Zeile 3, Spalte 3 steht „<ROWDATA></ROWDATA>“)"},
        {"<DATAPACKET><METADATA><FIELDS>\n<FIELD attrname=\"S\xFC\" fieldtype=\"gr\xF6\xDF"
         "e\"/>",
         "(Invalid field type. In Zeile 2, Spalte 33 steht „größe\"/>“)"},
    };
    for (const auto& c : cases) {
        TScratchFolder folder;
        TWorkingDirectory cwd(folder.Path());
        WriteBytes(folder.File("Ligatafel.xml"), c.File);
        TStore store(TRegionalSettings::German(), At140509);
        store.FormCreate();
        const auto notice = store.TakeStartupNotice();
        ASSERT_TRUE(notice) << c.File;
        EXPECT_NE(notice->find("\"" + folder.File("Ligatafel.xml") +
                               "\" konnte nicht geladen werden " + c.Reason + ". Sie wurde"),
                  std::string::npos)
            << *notice;
    }
}

TEST_F(StoreTest, CreationFailureStopsTheStart) {
    std::string error;
    {
        TAtomicFaultScope fault(
            [](TAtomicStep step) { return step == TAtomicStep::Rename ? EROFS : 0; });
        error = ErrorOf([&] { store_.FormCreate(); });
    }
    EXPECT_EQ(error, CreateError(File("Ligatafel.xml"), EROFS));
    EXPECT_EQ(store_.t_spieltage().State(), tsInactive);
    EXPECT_TRUE(FolderEntries(folder_.Path()).empty());
}

TEST_F(StoreTest, CopyAppendsTheCopyLastAndReloads) {
    store_.FormCreate();
    AddDivision("Bezirksliga", 2009);
    AddDivision("Aaa", 2010);
    store_.t_staffel().First(); // Bezirksliga 2009, by the key
    store_.CopyStaffel();
    TRecordTable& t = store_.t_staffel();
    ASSERT_EQ(t.DisplayCount(), 3);
    EXPECT_EQ(t.DisplayIndex(), 0);
    t.Last();
    EXPECT_EQ(t.Field("Klasse").AsText(), "Bezirksliga-14:05:09");
    EXPECT_EQ(t.Field("id").AsInteger(), 99);
    EXPECT_EQ(t.Field("Jahr").AsInteger(), 2009);
    EXPECT_FALSE(t.Field("10Klasse").AsBoolean());
    EXPECT_EQ(t.Field("Ueberschrift").AsText(), "Badminton");
    EXPECT_EQ(t.Field("1A").AsText(), "TV S\xFC"
                                      "d");
    EXPECT_EQ(t.Field("1dat").AsText(), "26.09.2009");
    EXPECT_TRUE(t.Field("2dat").IsNull());
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml")).find("18991230"), std::string::npos);

    // Unkeyed after the reload: the same copy again within the second is accepted.
    t.First();
    store_.CopyStaffel();
    EXPECT_EQ(store_.t_staffel().DisplayCount(), 4);
}

TEST_F(StoreTest, CopyOfALongClassNameDuplicatesTheKey) {
    store_.FormCreate();
    const std::string longName(30, 'K');
    AddDivision(longName, 2009);
    store_.CopyStaffel();
    TRecordTable& t = store_.t_staffel();
    ASSERT_EQ(t.DisplayCount(), 2);
    t.Last();
    EXPECT_EQ(t.Field("Klasse").AsText(), longName);
}

TEST_F(StoreTest, CopyWithoutDivisionsDoesNothing) {
    store_.FormCreate();
    store_.t_staffel().Insert(); // untouched: dropped by the copy's save
    store_.CopyStaffel();
    EXPECT_TRUE(store_.t_staffel().IsEmpty());
    EXPECT_EQ(store_.table_kopie().State(), tsInactive);
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml")), Fixture("Ligatafel_first_start.xml"));
}

TEST_F(StoreTest, CopyStopsWhenThePendingRowCannotBePosted) {
    store_.FormCreate();
    AddDivision("Bezirksliga", 2009);
    store_.SaveStaffel();
    const std::string saved = ReadBytes(File("Ligatafel.xml"));
    store_.t_staffel().Edit();
    store_.t_staffel().Field("Klasse").SetAsText("");
    EXPECT_EQ(ErrorOf([&] { store_.CopyStaffel(); }), "Field value required.");
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml")), saved);
    EXPECT_EQ(store_.t_staffel().State(), tsEdit);
    EXPECT_EQ(store_.table_kopie().State(), tsInactive);
}

TEST_F(StoreTest, AssignTakesTheChosenCalendarsDates) {
    store_.FormCreate();
    AddDivision("Bezirksliga", 2009);
    store_.SaveStaffel();
    const std::string saved = ReadBytes(File("Ligatafel.xml"));
    TRecordTable& calendar = store_.t_spieltage();
    calendar.Edit();
    calendar.Field("8Adat").Clear();
    calendar.Post();

    std::vector<std::string> told;
    auto inform = [&](const std::string& text) { told.push_back(text); };
    const struct {
        bool Chosen;
        bool Confirmed;
        bool Assigned;
    } cases[] = {{false, true, false}, {true, false, false}, {true, true, true}};
    for (const auto& c : cases) {
        told.clear();
        std::string asked;
        const bool assigned = store_.AssignSpieltage([&] { return c.Chosen; },
                                                     [&](const std::string& question) {
                                                         asked = question;
                                                         return c.Confirmed;
                                                     },
                                                     inform);
        EXPECT_EQ(assigned, c.Assigned) << c.Chosen << c.Confirmed;
        EXPECT_EQ(asked, c.Chosen ? "Sollen die Spieltage übernommen werden?" : "");
        EXPECT_EQ(told, c.Assigned ? std::vector<std::string>{"Spieltage wurden übernommen"}
                                   : std::vector<std::string>{});
    }
    TRecordTable& t = store_.t_staffel();
    EXPECT_EQ(t.State(), tsBrowse);
    EXPECT_EQ(t.Field("4Adat").AsText(), "19.12.2009");
    EXPECT_EQ(t.Field("8dat").AsText(), "06.03.2010");
    EXPECT_TRUE(t.Field("8Adat").IsNull());
    // Saved at once, not only at the end.
    EXPECT_NE(ReadBytes(File("Ligatafel.xml")), saved);
    EXPECT_NE(ReadBytes(File("Ligatafel.xml")).find("4Adat=\"20091219\""), std::string::npos);
}

TEST_F(StoreTest, AssignWithoutCalendarOrDivision) {
    store_.FormCreate();
    std::vector<std::string> told;
    auto inform = [&](const std::string& text) { told.push_back(text); };
    // No division: the edit becomes an insert whose post fails.
    EXPECT_EQ(ErrorOf([&] {
                  store_.AssignSpieltage([] { return true; },
                                         [](const std::string&) { return true; }, inform);
              }),
              "Feld 'Klasse' muss einen Wert haben");
    EXPECT_EQ(store_.t_staffel().State(), tsInsert);
    EXPECT_TRUE(told.empty());
    store_.t_staffel().Cancel();

    store_.t_spieltage().Delete();
    bool chooserShown = false;
    EXPECT_FALSE(store_.AssignSpieltage([&] { return chooserShown = true; },
                                        [](const std::string&) { return true; }, inform));
    EXPECT_FALSE(chooserShown);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("kein Spieltagskalender"), std::string::npos);
    EXPECT_EQ(store_.t_staffel().State(), tsBrowse);
}

TEST_F(StoreTest, ProgramEndSavesTheCalendarEvenWhenTheDivisionsFail) {
    store_.FormCreate();
    // A division posted but not yet saved, then a new one that cannot be posted.
    TRecordTable& t = store_.t_staffel();
    t.Append();
    t.Field("Klasse").SetAsText("Bezirksliga");
    t.Field("Jahr").SetAsInteger(2009);
    t.Post();
    t.Append();
    t.Field("Jahr").SetAsInteger(2010);
    store_.t_spieltage().Delete();
    EXPECT_EQ(ErrorOf([&] { store_.FormDestroy(); }),
              "Feld 'Klasse' muss einen Wert haben\n\nDie nicht speicherbare Eingabe wurde "
              "verworfen; alle anderen Änderungen wurden in \"" +
                  File("Ligatafel.xml") + "\" gespeichert.");
    EXPECT_FALSE(store_.RescueNeeded());
    const std::string divisions = ReadBytes(File("Ligatafel.xml"));
    EXPECT_NE(divisions.find("Klasse=\"Bezirksliga\""), std::string::npos);
    EXPECT_EQ(divisions.find("Jahr=\"2010\""), std::string::npos);
    EXPECT_NE(ReadBytes(File("Spieltage.xml")).find("CHANGE_LOG=\"1 0 4 1 0 2\""),
              std::string::npos);

    store_.t_staffel().Cancel();
    std::string error;
    {
        TAtomicFaultScope fault(
            [](TAtomicStep step) { return step == TAtomicStep::Rename ? ENOSPC : 0; });
        error = ErrorOf([&] { store_.FormDestroy(); });
    }
    // Every write fails, the rescue beside the file and at home as well.
    const std::string home = home_.Path().string();
    EXPECT_EQ(error, CreateError(File("Ligatafel.xml"), ENOSPC) + "\n\nDie Daten für \"" +
                         File("Ligatafel.xml") + "\" konnten nirgends gerettet werden. " +
                         CreateError(File("Ligatafel.rettung-20261209-140509.xml"), ENOSPC) + " " +
                         CreateError(home + "/Ligatafel.rettung-20261209-140509.xml", ENOSPC) +
                         "\n\n" + CreateError(File("Spieltage.xml"), ENOSPC) +
                         "\n\nDie Daten für \"" + File("Spieltage.xml") +
                         "\" konnten nirgends gerettet werden. " +
                         CreateError(File("Spieltage.rettung-20261209-140509.xml"), ENOSPC) + " " +
                         CreateError(home + "/Spieltage.rettung-20261209-140509.xml", ENOSPC));
    EXPECT_TRUE(store_.RescueNeeded());
}

TEST(FormatTime, LongTimeFormats) {
    const struct {
        const char* Format;
        int H, M, S;
        const char* Text;
    } cases[] = {{"hh:mm:ss", 14, 5, 9, "14:05:09"},
                 {"h:nn:ss", 9, 5, 9, "9:05:09"},
                 {"h:mm:ss AM/PM", 14, 5, 9, "2:05:09 PM"},
                 {"hh.mm", 0, 0, 0, "00.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatTime(c.Format, c.H, c.M, c.S), c.Text) << c.Format;
}
