// A data file that is there but cannot be read (permission, I/O error, a
// stale network handle) is no damaged file: the start leaves it and every
// other file as they are and opens the data read-only. The tests run as
// root, who may read anything, so the refusal is injected.
#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "test_StoreSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every name in the folder with its bytes (a folder's as "<folder>").
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : FolderEntries(folder))
        files[name] =
            std::filesystem::is_directory(folder / name) ? "<folder>" : ReadBytes(folder / name);
    return files;
}

using StoreUnreadableTest = TStoreFolderTest;

} // namespace

TEST(StoreUnreadable, StartLeavesEveryFileAndOpensReadOnly) {
    const std::string damaged = "<DATAPACKET>";
    const struct {
        const char* Name;
        const char* Refused; // the file the system will not let be read
        int Error;
        std::map<std::string, std::string> Files; // at start, beside a stale temp file
        int Divisions;                            // loaded
    } cases[] = {
        {"divisions, no permission",
         "Ligatafel.xml",
         EACCES,
         {{"Ligatafel.xml", Fixture("Ligatafel_edited.xml")}},
         0},
        {"calendars, I/O error, divisions missing",
         "Spieltage.xml",
         EIO,
         {{"Spieltage.xml", "x"}},
         0},
        {"clubs, stale handle, divisions damaged",
         "Vereine.xml",
         ESTALE,
         {{"Ligatafel.xml", damaged}, {"Vereine.xml", "x"}},
         0},
        {"clubs, no permission, calendars missing",
         "Vereine.xml",
         EACCES,
         {{"Ligatafel.xml", Fixture("Ligatafel_edited.xml")}, {"Vereine.xml", "x"}},
         1},
    };
    for (const auto& c : cases) {
        TScratchFolder folder, home;
        TWorkingDirectory cwd(folder.Path());
        THomeFolder homeVariable(home.Path());
        for (const auto& [name, bytes] : c.Files)
            WriteBytes(folder.File(name), bytes);
        WriteBytes(folder.File(".Ligatafel.xml.tmp-AbC123"), "stale");
        const auto before = Snapshot(folder.Path());
        TStore store(TRegionalSettings::German(), At140509);
        {
            TReadFaultScope refuse([&](const std::string& fileName) {
                return std::filesystem::path(fileName).filename() == c.Refused ? c.Error : 0;
            });
            store.FormCreate();
        }
        EXPECT_TRUE(store.ReadOnly()) << c.Name;
        const auto notice = store.UnreadableNotice();
        ASSERT_TRUE(notice) << c.Name;
        EXPECT_EQ(*notice, "Die Datei \"" + folder.File(c.Refused) +
                               "\" kann nicht gelesen werden (" + std::strerror(c.Error) +
                               "). Sie bleibt unverändert; ihre Tabelle bleibt leer.")
            << c.Name;
        // The other files are loaded, or created in memory only.
        EXPECT_EQ(store.t_staffel().State(), tsBrowse) << c.Name;
        EXPECT_EQ(store.t_spieltage().State(), tsBrowse) << c.Name;
        EXPECT_EQ(store.t_vereine().State(), tsBrowse) << c.Name;
        EXPECT_EQ(store.t_staffel().DisplayCount(), c.Divisions) << c.Name;
        // The end writes nothing either.
        store.FormDestroy();
        EXPECT_TRUE(store.FormDestroyForced().empty()) << c.Name;
        EXPECT_EQ(Snapshot(folder.Path()), before) << c.Name;
        EXPECT_TRUE(FolderEntries(home.Path()).empty()) << c.Name;
    }
}

// Only a file the system refuses is left alone: a missing one is created,
// a damaged one kept aside, as before.
TEST_F(StoreUnreadableTest, ReadableOrMissingFilesStartForWriting) {
    WriteBytes(File("Ligatafel.xml"), "<DATAPACKET>");
    TReadFaultScope none([](const std::string&) { return 0; });
    store_.FormCreate();
    EXPECT_FALSE(store_.ReadOnly());
    EXPECT_FALSE(store_.UnreadableNotice());
    EXPECT_TRUE(Contains(*store_.TakeStartupNotice(), "konnte nicht geladen werden"));
    EXPECT_EQ(FolderEntries(folder_.Path()),
              (std::vector<std::string>{"Ligatafel.xml", "Ligatafel.xml.20261209-140509.bak",
                                        "Spieltage.xml"}));
}

TEST(FileRead, RefusalCarriesTheReasonAndTheFullPath) {
    TScratchFolder folder;
    TWorkingDirectory cwd(folder.Path());
    WriteBytes(folder.File("a.xml"), "x");
    for (const int error : {EACCES, EIO, ESTALE, ENOENT}) {
        TReadFaultScope refuse([error](const std::string&) { return error; });
        try {
            ReadFileBytes("a.xml");
            ADD_FAILURE() << error;
        } catch (const TFileReadError& refusal) {
            EXPECT_EQ(refusal.Path, folder.File("a.xml"));
            EXPECT_EQ(refusal.Error, error);
            EXPECT_EQ(refusal.Reason, std::strerror(error));
            EXPECT_EQ(refusal.Missing(), error == ENOENT);
            EXPECT_EQ(std::string(refusal.what()), "Datei " + folder.File("a.xml") +
                                                       " kann nicht geöffnet werden. " +
                                                       std::strerror(error));
        }
    }
    EXPECT_EQ(ReadWholeFile("a.xml"), "x");
}
