// Copying a division appends the copy in memory and saves once; the result
// must be what saving, loading the copy table, appending, saving and
// loading again gave: the file, the division table's rows and order, its
// cursor and the notices its links receive.
#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "data/file/XmlWriter.h"
#include "test_FileSupport.h"
#include "test_RecordTableSupport.h"

#include <gtest/gtest.h>

namespace {

TLocalTime At140509() {
    return {2026, 12, 9, 14, 5, 9};
}

void AddDivision(TRecordTable& t, const std::string& klasse, int jahr) {
    t.Append();
    t.Field("Klasse").SetAsText(klasse);
    t.Field("Jahr").SetAsInteger(jahr);
    t.Field("1dat").SetAsText("26.09.2009");
    t.Post();
}

// Every visible row's class name in display order, and the cursor.
std::string Listing(TRecordTable& t) {
    std::string out = "cur=" + std::to_string(t.DisplayIndex()) + (t.Bof() ? " bof" : "") + " |";
    for (int i = 0; i < t.DisplayCount(); ++i)
        out += " " + t.DisplayText(i, t.Field("Klasse").Index());
    return out;
}

// A file from elsewhere: no change log, a unique key, a hidden row.
const std::string ForeignFile =
    "<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
    "<FIELD attrname=\"id\" fieldtype=\"i4\"/>"
    "<FIELD attrname=\"Ueberschrift\" fieldtype=\"string\" WIDTH=\"30\"/>"
    "<FIELD attrname=\"Klasse\" fieldtype=\"string\" required=\"true\" WIDTH=\"30\"/>"
    "<FIELD attrname=\"Jahr\" fieldtype=\"i4\" required=\"true\"/>"
    "<FIELD attrname=\"10Klasse\" fieldtype=\"boolean\" required=\"true\"/>"
    "<FIELD attrname=\"Mannschaft\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"1A\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"1B\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"2A\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"2B\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"3A\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"3B\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"4A\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"4B\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"5A\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"5B\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"1dat\" fieldtype=\"date\"/><FIELD attrname=\"2dat\" fieldtype=\"date\"/>"
    "<FIELD attrname=\"3dat\" fieldtype=\"date\"/><FIELD attrname=\"4dat\" fieldtype=\"date\"/>"
    "<FIELD attrname=\"5dat\" fieldtype=\"date\"/><FIELD attrname=\"6dat\" fieldtype=\"date\"/>"
    "<FIELD attrname=\"7dat\" fieldtype=\"date\"/><FIELD attrname=\"8dat\" fieldtype=\"date\"/>"
    "<FIELD attrname=\"4Adat\" fieldtype=\"date\"/><FIELD attrname=\"8Adat\" fieldtype=\"date\"/>"
    "<FIELD attrname=\"Extra\" fieldtype=\"r8\"/>"
    "</FIELDS><PARAMS UNIQUE_KEY=\"3\"/></METADATA><ROWDATA>"
    "<ROW Klasse=\"Zeta\" Jahr=\"2009\" 10Klasse=\"FALSE\" Extra=\"1.5\"/>"
    "<ROW RowState=\"1\" Klasse=\"Old\" Jahr=\"2008\" 10Klasse=\"TRUE\"/>"
    "<ROW Klasse=\"Alpha\" Jahr=\"2010\" 10Klasse=\"TRUE\" 1A=\"S&#252;d &amp; Co\"/>"
    "</ROWDATA></DATAPACKET>";

} // namespace

TEST(StoreCopy, GivesWhatSavingAndReloadingGave) {
    const struct {
        const char* Situation;
        std::function<void(TStore&)> Prepare;
        const char* Notices; // of t_staffel during the copy
        const char* Listing; // of t_staffel after it
    } cases[] = {
        {"keyed table, second division current",
         [](TStore& store) {
             AddDivision(store.t_staffel(), "Bezirksliga", 2009);
             AddDivision(store.t_staffel(), "Aaa", 2010);
             store.t_staffel().Last();
         },
         "Leave State State Rows", "cur=0 bof | Bezirksliga Aaa Aaa-14:05:09"},
        {"pending edit, posted first",
         [](TStore& store) {
             AddDivision(store.t_staffel(), "Kreisliga", 2009);
             store.t_staffel().Edit();
             store.t_staffel().Field("Klasse").SetAsText("Landesliga");
         },
         "Leave WriteBack WriteBack Leave State Rows State State Rows",
         "cur=0 bof | Landesliga Landesliga-14:05:09"},
        {"untouched new row, dropped",
         [](TStore& store) {
             AddDivision(store.t_staffel(), "Kreisliga", 2009);
             store.t_staffel().Insert();
         },
         "Leave WriteBack Leave State Rows State State Rows",
         "cur=0 bof | Kreisliga Kreisliga-14:05:09"},
        {"loaded without change log, keyed, hidden row",
         [](TStore& store) {
             WriteBytes("Ligatafel.xml", ForeignFile);
             store.t_staffel().Load("Ligatafel.xml");
             store.t_staffel().Last();
         },
         "Leave State State Rows", "cur=0 bof | Alpha Zeta Zeta-14:05:09"},
    };
    for (const auto& c : cases) {
        TScratchFolder folder;
        TWorkingDirectory cwd(folder.Path());
        TStore store(TRegionalSettings::German(), At140509);
        store.FormCreate();
        c.Prepare(store);
        TRecordTable& t = store.t_staffel();
        TRecordingLink link(&t);
        store.CopyStaffel();
        EXPECT_EQ(link.Take(), c.Notices) << c.Situation;
        EXPECT_EQ(t.State(), tsBrowse) << c.Situation;
        EXPECT_EQ(Listing(t), c.Listing) << c.Situation;

        // The file holds the table as it stands, and loads as the table is.
        const std::string file = ReadBytes(folder.File("Ligatafel.xml"));
        EXPECT_EQ(file, DataFileContent(t)) << c.Situation;
        TRecordTable loaded("t_staffel");
        loaded.Load("Ligatafel.xml");
        EXPECT_EQ(Listing(loaded), c.Listing) << c.Situation;
        EXPECT_EQ(loaded.ChangeLog(), t.ChangeLog()) << c.Situation;
        const auto rows = t.PhysicalRows();
        const auto loadedRows = loaded.PhysicalRows();
        ASSERT_EQ(rows.size(), loadedRows.size()) << c.Situation;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            EXPECT_EQ(rows[r].Values, loadedRows[r].Values) << c.Situation << " row " << r + 1;
            EXPECT_EQ(rows[r].Status, loadedRows[r].Status) << c.Situation << " row " << r + 1;
        }
        // The copy table keeps the rows of this copy.
        EXPECT_EQ(store.table_kopie().State(), tsBrowse) << c.Situation;
        EXPECT_EQ(DataFileContent(store.table_kopie()), file) << c.Situation;
    }
}

TEST(StoreCopy, FailedSaveLeavesTheDivisionsAndTheFile) {
    TScratchFolder folder;
    TWorkingDirectory cwd(folder.Path());
    TStore store(TRegionalSettings::German(), At140509);
    store.FormCreate();
    AddDivision(store.t_staffel(), "Bezirksliga", 2009);
    store.SaveStaffel();
    const std::string saved = ReadBytes(folder.File("Ligatafel.xml"));
    std::string error;
    {
        TAtomicFaultScope fault(
            [](TAtomicStep step) { return step == TAtomicStep::Rename ? EROFS : 0; });
        error = ErrorOf([&] { store.CopyStaffel(); });
    }
    EXPECT_NE(error.find("kann nicht erstellt werden"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(folder.File("Ligatafel.xml")), saved);
    EXPECT_EQ(Listing(store.t_staffel()), "cur=0 | Bezirksliga"); // untouched
    EXPECT_EQ(store.t_staffel().PhysicalRows().size(), 1u);
}
