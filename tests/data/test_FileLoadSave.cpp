#include "data/Records.h"
#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "test_FileSupport.h"
// The benchmarks' generator of division files.
#include "../../bench/GeneratedDivisionFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void CreateKeyed(TRecordTable& table, const std::vector<TRecordFieldSpec>& fields,
                 const std::string& key) {
    DefineFields(table, fields);
    table.CreateEmpty();
    table.DefineIndex("", key, true);
    table.Close();
    table.Open();
}

struct TFaultHook : TAtomicFaultScope {
    explicit TFaultHook(TAtomicStep failing)
        : TAtomicFaultScope([failing](TAtomicStep step) { return step == failing ? EIO : 0; }) {}
};

} // namespace

TEST(FileSave, CalendarOfTheFirstStartIsWrittenExactly) {
    TScratchFolder folder;
    TRecordTable table("t_spieltage");
    CreateKeyed(table, SpieltageRecordFields(), "Jahr");
    table.Append();
    table.Field("jahr").SetAsInteger(2009);
    const char* dates[] = {"26.09.2009", "10.10.2009", "31.10.2009", "21.11.2009", "19.12.2009",
                           "23.01.2010", "30.01.2010", "20.02.2010", "06.03.2010", "20.03.2010"};
    const char* names[] = {"1dat", "2dat", "3dat", "4dat", "4Adat",
                           "5dat", "6dat", "7dat", "8dat", "8Adat"};
    for (int i = 0; i < 10; ++i)
        table.Field(names[i]).SetAsText(dates[i]);
    table.Post();
    table.Save(folder.File("Spieltage.xml"));
    EXPECT_EQ(ReadBytes(folder.File("Spieltage.xml")), Fixture("Spieltage_first_start.xml"));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Spieltage.xml"});
}

TEST(FileSave, EditedDivisionKeepsBothVersionsAndLoadsAsOne) {
    TScratchFolder folder;
    const std::string file = folder.File("Ligatafel.xml");
    TRecordTable table("t_staffel");
    table.OnNewRecord = t_staffelNewRecord;
    CreateKeyed(table, StaffelRecordFields(), "Jahr;Klasse");
    table.Save(file);
    EXPECT_EQ(ReadBytes(file), Fixture("Ligatafel_first_start.xml"));

    table.Append();
    table.Field("Klasse").SetAsText("Bezirksliga");
    table.Field("Jahr").SetAsText("2009");
    table.Field("Mannschaft").SetAsText("TV Sued");
    table.Field("1A").SetAsText("TV Sued");
    table.Field("1B").SetAsText("SC Nord");
    table.Field("1dat").SetAsText("26.09.2009");
    table.Post();
    table.Save(file);
    table.Edit();
    table.Field("Mannschaft")
        .SetAsText("TV S\xFC"
                   "d & Co");
    table.Save(file); // posts the pending edit first
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(ReadBytes(file), Fixture("Ligatafel_edited.xml"));

    TRecordTable loaded("t_staffel");
    loaded.Load(file);
    EXPECT_EQ(loaded.DisplayCount(), 1);
    EXPECT_EQ(loaded.Field("Mannschaft").AsText(), "TV S\xFC"
                                                   "d & Co");
    EXPECT_TRUE(loaded.Field("id").IsNull());
    EXPECT_EQ(loaded.Field("2dat").AsDateTime(), 0.0);
    loaded.Save(file);
    EXPECT_EQ(ReadBytes(file), Fixture("Ligatafel_edited.xml"));
}

TEST(FileLoad, FailuresNameTheFileAndLeaveTheTableClosed) {
    TScratchFolder folder;
    WriteBytes(folder.File("empty.xml"), "");
    WriteBytes(folder.File("bad.xml"), "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" "
                                       "fieldtype=\"strng\"/></FIELDS></METADATA></DATAPACKET>");
    WriteBytes(folder.File("cut.xml"), Fixture("Ligatafel_edited.xml").substr(0, 900));
    std::filesystem::create_directory(folder.Path() / "dir.xml");
    TFifo fifo(folder.File("fifo.xml"));
    const struct {
        std::string Name;
        std::string Message;
    } cases[] = {
        {"missing.xml", "Datei " + folder.File("missing.xml") + " kann nicht geöffnet werden. " +
                            std::strerror(ENOENT)},
        {"dir.xml", "Datei " + folder.File("dir.xml") +
                        " kann nicht geöffnet werden. Sie ist keine gewöhnliche Datei, sondern "
                        "ein Ordner."},
        {"fifo.xml", "Datei " + folder.File("fifo.xml") +
                         " kann nicht geöffnet werden. Sie ist keine gewöhnliche Datei, sondern "
                         "eine benannte Pipe (FIFO)."},
        {"/dev/null", "Datei /dev/null kann nicht geöffnet werden. Sie ist keine gewöhnliche "
                      "Datei, sondern ein Gerät."},
        {"empty.xml", "t_staffel: Fehlender Daten-Provider oder Datenpaket"},
        {"bad.xml", "Invalid field type."},
        {"cut.xml", "Mismatch in datapacket."},
    };
    for (const auto& c : cases) {
        TRecordTable table("t_staffel");
        CreateKeyed(table, StaffelRecordFields(), "Jahr");
        const std::string name = c.Name.front() == '/' ? c.Name : folder.File(c.Name);
        EXPECT_EQ(ErrorOf([&] { table.Load(name); }), c.Message) << c.Name;
        EXPECT_EQ(table.State(), tsInactive) << c.Name;
    }
    EXPECT_FALSE(fifo.Hung());
}

TEST(FileLoad, RelativeNamesAreShownWithTheirFullPath) {
    TScratchFolder folder;
    TWorkingDirectory cwd(folder.Path());
    TRecordTable table("t");
    EXPECT_EQ(ErrorOf([&] { table.Load("Ligatafel.xml"); }),
              "Datei " + (std::filesystem::current_path() / "Ligatafel.xml").string() +
                  " kann nicht geöffnet werden. " + std::strerror(ENOENT));
}

TEST(FileLoad, FixedFieldListNeedsEveryColumn) {
    TScratchFolder folder;
    const std::string file = folder.File("Ligatafel.xml");
    WriteBytes(file, Fixture("Ligatafel_edited.xml"));
    TRecordTable kopie("table_kopie");
    DefineFields(kopie, KopieRecordFields());
    kopie.SetFixedFieldList(true);
    kopie.Load(file);
    EXPECT_EQ(kopie.Field("Klasse").AsText(), "Bezirksliga");
    EXPECT_EQ(kopie.FieldAt(kopie.FieldCount() - 1).Name(), "Ueberschrift");

    TRecordTable calendar("t_spieltage");
    CreateKeyed(calendar, SpieltageRecordFields(), "Jahr");
    calendar.Save(file);
    EXPECT_EQ(ErrorOf([&] { kopie.Load(file); }),
              "table_kopie: Das Feld 'id' wurde nicht gefunden");
    EXPECT_EQ(kopie.State(), tsInactive);
}

TEST(FileLoad, ForeignColumnTypesSurviveLoadAndSave) {
    TScratchFolder folder;
    const std::string file = folder.File("x.xml");
    const std::string content =
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"Jahr\" fieldtype=\"i4\"/><FIELD attrname=\"amount\" fieldtype=\"r8\"/>"
        "<FIELD attrname=\"u\" fieldtype=\"string.uni\" WIDTH=\"40\"/></FIELDS>"
        "<PARAMS CHANGE_LOG=\"1 0 4\"/></METADATA><ROWDATA><ROW RowState=\"4\" Jahr=\"1\" "
        "amount=\"1.25E2\" u=\"x&amp;y\"/></ROWDATA></DATAPACKET>";
    WriteBytes(file, content);
    TRecordTable table("t");
    table.Load(file);
    EXPECT_EQ(table.Field("amount").AsText(), "1.25E2");
    table.Save(file);
    EXPECT_EQ(ReadBytes(file), content);
}

TEST(FileSave, FailuresKeepTheFormerFileAndLeaveNoTemporaryFile) {
    for (TAtomicStep step : {TAtomicStep::CreateTemp, TAtomicStep::WriteTemp, TAtomicStep::SyncTemp,
                             TAtomicStep::Rename}) {
        TScratchFolder folder;
        const std::string file = folder.File("Ligatafel.xml");
        WriteBytes(file, Fixture("Ligatafel_edited.xml"));
        TRecordTable table("t_staffel");
        table.Load(file);
        table.Edit();
        table.Field("Klasse").SetAsText("Changed");
        {
            TFaultHook fault(step);
            EXPECT_EQ(ErrorOf([&] { table.Save(file); }),
                      "Datei \"" + file + "\" kann nicht erstellt werden. " + std::strerror(EIO))
                << static_cast<int>(step);
        }
        EXPECT_EQ(ReadBytes(file), Fixture("Ligatafel_edited.xml")) << static_cast<int>(step);
        EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Ligatafel.xml"})
            << static_cast<int>(step);
        table.Save(file); // the edit was posted by the failed save; now it reaches the file
        EXPECT_NE(ReadBytes(file).find("Klasse=\"Changed\""), std::string::npos);
    }
}

TEST(FileSave, FolderThatCannotHoldTheFile) {
    TScratchFolder folder;
    WriteBytes(folder.File("plain"), "x");
    const std::string file = folder.File("plain") + "/Ligatafel.xml";
    TRecordTable table("t_staffel");
    CreateKeyed(table, StaffelRecordFields(), "Jahr");
    EXPECT_EQ(ErrorOf([&] { table.Save(file); }),
              "Datei \"" + file + "\" kann nicht erstellt werden. " + std::strerror(ENOTDIR));
}

TEST(FileSave, FailedPostBlocksTheSave) {
    TScratchFolder folder;
    const std::string file = folder.File("Ligatafel.xml");
    TRecordTable table("t_staffel");
    table.OnNewRecord = t_staffelNewRecord;
    CreateKeyed(table, StaffelRecordFields(), "Jahr;Klasse");
    table.Save(file);
    table.Append();
    table.Field("Jahr").SetAsInteger(2009);
    EXPECT_EQ(ErrorOf([&] { table.Save(file); }), "Feld 'Klasse' muss einen Wert haben");
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_EQ(ReadBytes(file), Fixture("Ligatafel_first_start.xml"));
}

TEST(FileSave, ClosedTableWritesNothingAndUntouchedInsertIsDropped) {
    TScratchFolder folder;
    TRecordTable table("t_staffel");
    CreateKeyed(table, StaffelRecordFields(), "Jahr");
    table.Close();
    table.Save(folder.File("a.xml"));
    EXPECT_TRUE(FolderEntries(folder.Path()).empty());
    table.Open();
    table.Insert();
    table.Save(folder.File("a.xml"));
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(ReadBytes(folder.File("a.xml")), Fixture("Ligatafel_first_start.xml"));
}

TEST(FileSave, DeletedCalendarStaysInTheFile) {
    TScratchFolder folder;
    const std::string file = folder.File("Spieltage.xml");
    WriteBytes(file, Fixture("Spieltage_first_start.xml"));
    TRecordTable table("t_spieltage");
    table.Load(file);
    table.Delete();
    table.Save(file);
    const std::string written = ReadBytes(file);
    EXPECT_NE(written.find("<PARAMS CHANGE_LOG=\"1 0 4 1 0 2\"/>"), std::string::npos);
    EXPECT_NE(written.find("<ROW RowState=\"6\" Jahr=\"2009\""), std::string::npos);
    table.Load(file);
    EXPECT_TRUE(table.IsEmpty());
}

TEST(FileSave, RowsStandInCreationOrderNotKeyOrder) {
    TScratchFolder folder;
    const std::string file = folder.File("Ligatafel.xml");
    TRecordTable table("t_staffel");
    CreateKeyed(table, StaffelRecordFields(), "Jahr;Klasse");
    for (const char* klasse : {"Bezirksliga", "Aufbauliga"}) {
        table.Append();
        table.Field("Klasse").SetAsText(klasse);
        table.Field("Jahr").SetAsInteger(2009);
        table.Field("10Klasse").SetAsBoolean(false);
        table.Post();
    }
    table.First();
    EXPECT_EQ(table.Field("Klasse").AsText(), "Aufbauliga");
    table.Save(file);
    const std::string written = ReadBytes(file);
    EXPECT_LT(written.find("Bezirksliga"), written.find("Aufbauliga"));
    table.Load(file);
    EXPECT_EQ(table.Field("Klasse").AsText(), "Bezirksliga");
}

// A file made from the format alone (the benchmarks' generator), with every
// kind of version and deletion, comes back from a load and a save byte for
// byte, also when the rows had to be flushed in several pieces.
TEST(FileSave, GeneratedFileComesBackByteForByte) {
    // 20 000 rows are written in blocks on several threads.
    for (int rows : {0, 1, 7, 3000, 20000}) {
        TScratchFolder folder;
        const std::string original = GeneratedDivisionFile(rows);
        WriteBytes(folder.File("Ligatafel.xml"), original);
        TRecordTable table("t_staffel");
        table.Load(folder.File("Ligatafel.xml"));
        table.Save(folder.File("saved.xml"));
        EXPECT_TRUE(ReadBytes(folder.File("saved.xml")) == original) << rows << " rows";
    }
}

// A text the file cannot hold, deep inside a table large enough to be
// written in blocks on several threads: the save fails with the writer's
// message and the former file stays, without a temporary file beside it.
TEST(FileSave, UnwritableTextDeepInALargeTableKeepsTheFormerFile) {
    TScratchFolder folder;
    const std::string file = folder.File("Ligatafel.xml");
    WriteBytes(file, "former");
    TDataPacket packet;
    TFieldDef text;
    text.Name = "T";
    text.Type = ctText;
    text.Width = 20;
    packet.Fields = {text};
    for (int i = 0; i < 30000; ++i)
        packet.Rows.push_back({{std::string(i == 21000 ? "Kreis\x01liga" : "Zeile")}, 0});
    TRecordTable table("t_staffel");
    table.OpenFromPacket(std::move(packet));
    EXPECT_NE(ErrorOf([&] { table.Save(file); }).find("kann in den Staffeldaten nicht gespeichert"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(file), "former");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Ligatafel.xml"});
}
