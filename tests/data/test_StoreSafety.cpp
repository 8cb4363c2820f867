// The store on a folder that others write too: outside changes, unreadable
// names, read-only mode, the forced end and the rescue files.
#include "data/StaffelError.h"
#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "test_StoreSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class StoreSafetyTest : public TStoreFolderTest {
protected:
    std::vector<std::string> asked_;
    std::vector<std::string> told_;

    void SetUp() override {
        store_.OnInform = [this](const std::string& text) { told_.push_back(text); };
    }

    void Answer(TOutsideChangeAnswer answer) {
        store_.OnOutsideChange = [this, answer](const TOutsideChange& change) {
            asked_.push_back(change.FileName);
            return answer;
        };
    }

    // What another program makes of the file: a new file renamed over it,
    // as editors and sync tools do.
    void ReplaceFromOutside(const std::string& name, const std::string& content) {
        WriteBytes(File(name + ".other"), content);
        std::filesystem::rename(File(name + ".other"), File(name));
    }
};

} // namespace

TEST_F(StoreSafetyTest, OutsideChangeBeforeASaveKeepsBothVersions) {
    const struct {
        const char* Name;
        std::optional<TOutsideChangeAnswer> Answer; // nothing: no question installed
    } cases[] = {{"load theirs", TOutsideChangeAnswer::LoadTheirs},
                 {"save ours", TOutsideChangeAnswer::SaveOurs},
                 {"nobody asked", std::nullopt}};
    for (const auto& c : cases) {
        TScratchFolder folder;
        TWorkingDirectory cwd(folder.Path());
        TStore store(TRegionalSettings::German(), At140509);
        std::vector<std::string> asked, told;
        if (c.Answer)
            store.OnOutsideChange = [&](const TOutsideChange& change) {
                asked.push_back(change.FileName);
                return *c.Answer;
            };
        store.OnInform = [&](const std::string& text) { told.push_back(text); };
        store.FormCreate();
        const std::string file = folder.File("Ligatafel.xml");
        const std::string theirs = Fixture("Ligatafel_edited.xml");
        WriteBytes(file + ".other", theirs);
        std::filesystem::rename(file + ".other", file);
        EXPECT_TRUE(store.ChangedOnDisk("Ligatafel.xml")) << c.Name;

        TRecordTable& t = store.t_staffel();
        t.Append();
        t.Field("Klasse").SetAsText("Unsere");
        t.Field("Jahr").SetAsInteger(2030);
        t.Post();
        store.SaveStaffel();

        EXPECT_EQ(asked, c.Answer ? std::vector<std::string>{file} : std::vector<std::string>{})
            << c.Name;
        ASSERT_EQ(told.size(), 1u) << c.Name;
        if (c.Answer == TOutsideChangeAnswer::LoadTheirs) {
            const std::string ours = folder.File("Ligatafel.ungespeichert-20261209-140509.xml");
            EXPECT_EQ(ReadBytes(file), theirs) << c.Name;
            EXPECT_TRUE(Contains(ReadBytes(ours), "Klasse=\"Unsere\"")) << c.Name;
            EXPECT_EQ(t.Field("Mannschaft").AsText(), "TV S\xFC"
                                                      "d & Co")
                << c.Name;
            EXPECT_EQ(told[0], "Die Datei \"" + file +
                                   "\" wurde außerhalb des Programms geändert. Diese Fassung "
                                   "wurde geladen; die ungespeicherte Fassung des Programms "
                                   "steht in \"" +
                                   ours + "\".");
        } else {
            const std::string backup = folder.File("Ligatafel.xml.20261209-140509.bak");
            EXPECT_EQ(ReadBytes(backup), theirs) << c.Name;
            EXPECT_TRUE(Contains(ReadBytes(file), "Klasse=\"Unsere\"")) << c.Name;
            EXPECT_EQ(told[0], "Die Datei \"" + file +
                                   "\" wurde außerhalb des Programms geändert. Sie wurde als \"" +
                                   backup +
                                   "\" aufbewahrt; gespeichert wurde die Fassung des Programms.");
        }
        EXPECT_FALSE(store.ChangedOnDisk(file)) << c.Name;
        // The next save has nothing to ask.
        store.SaveStaffel();
        EXPECT_EQ(told.size(), 1u) << c.Name;
        EXPECT_EQ(FolderEntries(folder.Path()).size(), 3u) << c.Name;
    }
}

TEST_F(StoreSafetyTest, SameBytesWrittenAgainAreNoChange) {
    Answer(TOutsideChangeAnswer::SaveOurs);
    store_.FormCreate();
    AddDivision("Bezirksliga", 2009);
    store_.SaveStaffel();
    ReplaceFromOutside("Ligatafel.xml", ReadBytes(File("Ligatafel.xml")));
    EXPECT_FALSE(store_.ChangedOnDisk("Ligatafel.xml"));
    store_.SaveStaffel();
    EXPECT_TRUE(asked_.empty());
    // A change of the same size in place is found by its content.
    std::string content = ReadBytes(File("Ligatafel.xml"));
    content.replace(content.find("Bezirksliga"), 11, "Kreisligaaa");
    WriteBytes(File("Ligatafel.xml"), content);
    EXPECT_TRUE(store_.ChangedOnDisk(File("Ligatafel.xml")));
}

TEST_F(StoreSafetyTest, ReloadTakesTheCurrentVersionOrNothing) {
    store_.FormCreate();
    ReplaceFromOutside("Ligatafel.xml", Fixture("Ligatafel_edited.xml"));
    ASSERT_TRUE(store_.ChangedOnDisk("Ligatafel.xml"));
    EXPECT_FALSE(store_.ChangedOnDisk("Spieltage.xml"));
    store_.Reload("Ligatafel.xml");
    EXPECT_EQ(store_.t_staffel().DisplayCount(), 1);
    EXPECT_FALSE(store_.ChangedOnDisk("Ligatafel.xml"));

    // A version that cannot be loaded leaves the table as it was.
    ReplaceFromOutside("Ligatafel.xml", "<DATAPACKET>");
    EXPECT_EQ(ErrorOf([&] { store_.Reload("Ligatafel.xml"); }), "Mismatch in datapacket.");
    EXPECT_EQ(store_.t_staffel().State(), tsBrowse);
    EXPECT_EQ(store_.t_staffel().DisplayCount(), 1);

    // Asked to load it at a save, the program keeps its own instead.
    Answer(TOutsideChangeAnswer::LoadTheirs);
    store_.SaveStaffel();
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml.20261209-140509.bak")), "<DATAPACKET>");
    ASSERT_EQ(told_.size(), 1u);
    EXPECT_TRUE(Contains(told_[0], "diese Fassung kann nicht geladen werden (Mismatch in "
                                   "datapacket.)"))
        << told_[0];
    EXPECT_EQ(store_.t_staffel().DisplayCount(), 1);
}

TEST_F(StoreSafetyTest, CopyAndAssignSaveWithoutAskingAboutTheirOwnWrites) {
    Answer(TOutsideChangeAnswer::LoadTheirs);
    store_.FormCreate();
    AddDivision("Bezirksliga", 2009);
    store_.CopyStaffel();
    EXPECT_TRUE(Contains(ReadBytes(File("Ligatafel.xml")), "Bezirksliga-14:05:09"));
    store_.AssignSpieltage([] { return true; }, [](const std::string&) { return true; },
                           [](const std::string&) {});
    EXPECT_TRUE(Contains(ReadBytes(File("Ligatafel.xml")), "2dat=\"20091010\""));
    store_.FormDestroy();
    EXPECT_TRUE(asked_.empty());
    EXPECT_TRUE(told_.empty());
}

TEST_F(StoreSafetyTest, FifoAtStartIsKeptAndReplacedAtOnce) {
    TFifo fifo(File("Ligatafel.xml"));
    store_.FormCreate();
    EXPECT_FALSE(fifo.Hung());
    const std::string kept = File("Ligatafel.xml.20261209-140509.bak");
    EXPECT_TRUE(std::filesystem::is_fifo(kept));
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml")), Fixture("Ligatafel_first_start.xml"));
    const auto notice = store_.TakeStartupNotice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(*notice, "Die Datei \"" + File("Ligatafel.xml") +
                           "\" konnte nicht geladen werden (Datei " + File("Ligatafel.xml") +
                           " kann nicht geöffnet werden. Sie ist keine gewöhnliche Datei, "
                           "sondern eine benannte Pipe (FIFO).). Sie wurde in \"" +
                           kept + "\" umbenannt; an ihrer Stelle wurde eine neue Datei angelegt.");
}

TEST_F(StoreSafetyTest, BackupOfAnUnreadableFileKeepsModeAndOwner) {
    const std::string file = File("Spieltage.xml");
    WriteBytes(file, "kaputt");
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(file.c_str(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    struct stat before {};
    ::stat(file.c_str(), &before);
    store_.FormCreate();
    for (const std::string& name : {File("Spieltage.xml.20261209-140509.bak"), file}) {
        struct stat after {};
        ASSERT_EQ(::stat(name.c_str(), &after), 0) << name;
        EXPECT_EQ(after.st_mode & 07777, 0600u) << name;
        EXPECT_EQ(after.st_uid, before.st_uid) << name;
        EXPECT_EQ(after.st_gid, before.st_gid) << name;
    }
    EXPECT_EQ(ReadBytes(File("Spieltage.xml.20261209-140509.bak")), "kaputt");
}

TEST_F(StoreSafetyTest, DanglingLinkAtStartGetsTheNewFileBehindIt) {
    std::filesystem::create_directory(folder_.Path() / "sync");
    std::filesystem::create_symlink("sync/Ligatafel.xml", File("Ligatafel.xml"));
    store_.FormCreate();
    EXPECT_TRUE(std::filesystem::is_symlink(File("Ligatafel.xml")));
    EXPECT_EQ(ReadBytes(File("sync/Ligatafel.xml")), Fixture("Ligatafel_first_start.xml"));
    EXPECT_FALSE(store_.TakeStartupNotice());
}

TEST_F(StoreSafetyTest, DataFileBehindALinkIsWrittenThrough) {
    std::filesystem::create_directory(folder_.Path() / "sync");
    WriteBytes(File("sync/Ligatafel.xml"), Fixture("Ligatafel_edited.xml"));
    std::filesystem::create_symlink("sync/Ligatafel.xml", File("Ligatafel.xml"));
    store_.FormCreate();
    AddDivision("Bezirksliga", 2011);
    store_.SaveStaffel();
    EXPECT_TRUE(std::filesystem::is_symlink(File("Ligatafel.xml")));
    EXPECT_TRUE(Contains(ReadBytes(File("sync/Ligatafel.xml")), "Jahr=\"2011\""));
    EXPECT_EQ(FolderEntries(folder_.Path() / "sync"), std::vector<std::string>{"Ligatafel.xml"});
}

TEST_F(StoreSafetyTest, StartRemovesOnlyItsOwnStaleTempFiles) {
    const std::vector<std::string> stale = {".Ligatafel.xml.tmp-AbC123",
                                            ".Spieltage.xml.tmp-x1Y2z3"};
    const std::vector<std::string> foreign = {".Ligatafel.xml.tmp-meine-Kopie",
                                              ".Notizen.xml.tmp-AbC123"};
    for (const auto& name : stale)
        WriteBytes(File(name), "x");
    for (const auto& name : foreign)
        WriteBytes(File(name), "x");
    store_.FormCreate();
    for (const auto& name : stale)
        EXPECT_FALSE(std::filesystem::exists(File(name))) << name;
    for (const auto& name : foreign)
        EXPECT_TRUE(std::filesystem::exists(File(name))) << name;
}

TEST_F(StoreSafetyTest, ReadOnlyWritesNothing) {
    WriteBytes(File("Ligatafel.xml"), "kaputt");
    WriteBytes(File(".Spieltage.xml.tmp-AbC123"), "x");
    const auto before = FolderEntries(folder_.Path());
    store_.SetReadOnly(true);
    store_.FormCreate();
    EXPECT_EQ(store_.t_staffel().State(), tsBrowse);
    EXPECT_EQ(store_.t_spieltage().DisplayCount(), 1); // the default calendar, in memory
    const auto notice = store_.TakeStartupNotice();
    ASSERT_TRUE(notice);
    EXPECT_TRUE(Contains(*notice, "schreibgeschützt")) << *notice;

    AddDivision("Bezirksliga", 2009);
    EXPECT_EQ(ErrorOf([&] { store_.SaveStaffel(); }),
              "Die Daten sind schreibgeschützt geöffnet; \"" + File("Ligatafel.xml") +
                  "\" wird nicht gespeichert.");
    EXPECT_NE(ErrorOf([&] { store_.CopyStaffel(); }), "");
    store_.FormDestroy();
    EXPECT_TRUE(store_.FormDestroyForced().empty());
    EXPECT_EQ(FolderEntries(folder_.Path()), before);
    EXPECT_EQ(ReadBytes(File("Ligatafel.xml")), "kaputt");
    EXPECT_TRUE(FolderEntries(home_.Path()).empty());
}

TEST_F(StoreSafetyTest, ForcedEndAsksNobodyAndRescuesWhatCannotBeSaved) {
    // Fails: which of the run's renames fail (1-based), in the order backup
    // of the outside version, data file, rescue beside it, rescue at home,
    // then the calendar.
    const struct {
        const char* Name;
        std::vector<int> Fails;
        const char* RescueFolder; // "data", "home" or nullptr
    } cases[] = {{"saved", {}, nullptr},
                 {"rescued beside", {2}, "data"},
                 {"rescued at home", {2, 3}, "home"},
                 {"nowhere", {2, 3, 4}, nullptr}};
    for (const auto& c : cases) {
        TScratchFolder folder, home;
        TWorkingDirectory cwd(folder.Path());
        THomeFolder homeVariable(home.Path());
        TStore store(TRegionalSettings::German(), At140509);
        bool asked = false;
        store.OnOutsideChange = [&](const TOutsideChange&) {
            asked = true;
            return TOutsideChangeAnswer::LoadTheirs;
        };
        store.FormCreate();
        WriteBytes(folder.File("Ligatafel.xml"), Fixture("Ligatafel_edited.xml")); // outside
        TRecordTable& t = store.t_staffel();
        t.Append();
        t.Field("Klasse").SetAsText("Unsere");
        t.Field("Jahr").SetAsInteger(2030);
        // pending, postable

        int renames = 0;
        std::vector<std::string> lines;
        {
            TAtomicFaultScope fault([&](TAtomicStep step) {
                if (step != TAtomicStep::Rename)
                    return 0;
                ++renames;
                return std::find(c.Fails.begin(), c.Fails.end(), renames) != c.Fails.end() ? EROFS
                                                                                           : 0;
            });
            lines = store.FormDestroyForced();
        }
        EXPECT_FALSE(asked) << c.Name;
        EXPECT_EQ(store.RescueNeeded(), !c.Fails.empty()) << c.Name;
        const std::string backup = folder.File("Ligatafel.xml.20261209-140509.bak");
        EXPECT_EQ(ReadBytes(backup), Fixture("Ligatafel_edited.xml")) << c.Name;
        std::string all;
        for (const auto& line : lines)
            all += line + "\n";
        EXPECT_TRUE(Contains(all, "\"" + backup + "\" aufbewahrt")) << all;
        // The calendar is saved in every case.
        EXPECT_TRUE(std::filesystem::exists(folder.File("Spieltage.xml"))) << c.Name;
        if (c.Fails.empty()) {
            EXPECT_TRUE(Contains(ReadBytes(folder.File("Ligatafel.xml")), "Unsere")) << c.Name;
            EXPECT_EQ(lines.size(), 1u) << all;
            continue;
        }
        EXPECT_TRUE(Contains(all, "Datei \"" + folder.File("Ligatafel.xml") +
                                      "\" kann nicht erstellt werden. " + std::strerror(EROFS)))
            << all;
        const std::string rescueName = "Ligatafel.rettung-20261209-140509.xml";
        if (c.RescueFolder) {
            const std::string rescue = std::string(c.RescueFolder) == "home"
                                           ? home.File(rescueName)
                                           : folder.File(rescueName);
            EXPECT_TRUE(Contains(ReadBytes(rescue), "Klasse=\"Unsere\"")) << c.Name;
            EXPECT_TRUE(Contains(all, "Die Daten für \"" + folder.File("Ligatafel.xml") +
                                          "\" wurden in \"" + rescue + "\" gerettet."))
                << all;
        } else {
            EXPECT_FALSE(std::filesystem::exists(folder.File(rescueName))) << c.Name;
            EXPECT_FALSE(std::filesystem::exists(home.File(rescueName))) << c.Name;
            EXPECT_TRUE(Contains(all, "konnten nirgends gerettet werden")) << all;
        }
    }
}

TEST_F(StoreSafetyTest, ForcedEndDropsAnUnpostableRowAndSavesTheRest) {
    store_.FormCreate();
    AddDivision("Bezirksliga", 2009);
    TRecordTable& t = store_.t_staffel();
    t.Append();
    t.Field("Jahr").SetAsInteger(2010); // no Klasse: cannot be posted
    const auto lines = store_.FormDestroyForced();
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Feld 'Klasse' muss einen Wert haben",
                         "Die nicht speicherbare Eingabe wurde verworfen; alle anderen Änderungen "
                         "wurden in \"" +
                             File("Ligatafel.xml") + "\" gespeichert."}));
    EXPECT_FALSE(store_.RescueNeeded());
    EXPECT_TRUE(Contains(ReadBytes(File("Ligatafel.xml")), "Bezirksliga"));
}
