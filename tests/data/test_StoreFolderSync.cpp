// A folder sync that fails leaves the file renamed into place. Only for the
// data file's own rename does that mean "our content is in place"; a side
// file's (backup, unsaved version) must not stop the rest of the save.
#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "test_StoreSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Fails the first folder sync of the scope with EIO: the one of the side
// file, which is written before the data file.
class TFirstSyncFails {
public:
    TFirstSyncFails()
        : scope_([this](TAtomicStep step) {
              return step == TAtomicStep::SyncFolder && ++syncs_ == 1 ? EIO : 0;
          }) {}

private:
    int syncs_ = 0;
    TAtomicFaultScope scope_;
};

class StoreFolderSyncTest : public TStoreFolderTest {
protected:
    std::vector<std::string> told_;

    void SetUp() override {
        store_.OnInform = [this](const std::string& text) { told_.push_back(text); };
        store_.FormCreate();
    }
};

} // namespace

TEST(StoreFolderSync, SideFileSyncFailureStillSavesOrKeepsOurs) {
    const std::string syncFailed =
        "ihr Ordner konnte nicht auf den Datenträger geschrieben werden. " +
        std::string(std::strerror(EIO));
    const std::string backup = "Ligatafel.xml.20261209-140509.bak";
    const std::string unsaved = "Ligatafel.ungespeichert-20261209-140509.xml";
    enum TEnd { Forced, Normal, Save };
    const struct {
        const char* Name;
        TEnd End;
        TOutsideChangeAnswer Answer;
        const std::string& Side; // the side file whose sync fails
    } cases[] = {{"forced end keeps theirs aside", Forced, TOutsideChangeAnswer::SaveOurs, backup},
                 {"normal end, save ours", Normal, TOutsideChangeAnswer::SaveOurs, backup},
                 {"save, save ours", Save, TOutsideChangeAnswer::SaveOurs, backup},
                 {"save, load theirs", Save, TOutsideChangeAnswer::LoadTheirs, unsaved}};
    for (const auto& c : cases) {
        TScratchFolder folder, home;
        TWorkingDirectory cwd(folder.Path());
        THomeFolder homeVariable(home.Path());
        TStore store(TRegionalSettings::German(), At140509);
        std::vector<std::string> told;
        store.OnInform = [&](const std::string& text) { told.push_back(text); };
        store.OnOutsideChange = [&](const TOutsideChange&) { return c.Answer; };
        store.FormCreate();
        const std::string file = folder.File("Ligatafel.xml");
        const std::string side = folder.File(c.Side);
        WriteBytes(file + ".other", Fixture("Ligatafel_edited.xml"));
        std::filesystem::rename(file + ".other", file);
        TRecordTable& t = store.t_staffel();
        t.Append();
        t.Field("Klasse").SetAsText("Unsere");
        t.Field("Jahr").SetAsInteger(2030);
        t.Post();

        std::string error;
        std::vector<std::string> lines;
        {
            TFirstSyncFails fault;
            if (c.End == Forced)
                lines = store.FormDestroyForced();
            else if (c.End == Normal)
                error = ErrorOf([&] { store.FormDestroy(); });
            else
                error = ErrorOf([&] { store.SaveStaffel(); });
        }
        std::string all = error + "\n";
        for (const auto& heard : {told, lines})
            for (const auto& line : heard)
                all += line + "\n";
        EXPECT_EQ(error, "") << c.Name;
        EXPECT_FALSE(store.RescueNeeded()) << c.Name;
        EXPECT_TRUE(Contains(all, "\"" + side + "\"")) << c.Name << ": " << all;
        EXPECT_TRUE(Contains(all, syncFailed)) << c.Name << ": " << all;
        if (c.Answer == TOutsideChangeAnswer::SaveOurs) {
            EXPECT_EQ(ReadBytes(side), Fixture("Ligatafel_edited.xml")) << c.Name;
            EXPECT_TRUE(Contains(ReadBytes(file), "Klasse=\"Unsere\"")) << c.Name;
        } else {
            EXPECT_EQ(ReadBytes(file), Fixture("Ligatafel_edited.xml")) << c.Name;
            EXPECT_TRUE(Contains(ReadBytes(side), "Klasse=\"Unsere\"")) << c.Name;
            EXPECT_EQ(t.Field("Klasse").AsText(), "Bezirksliga") << c.Name; // theirs loaded
        }
        EXPECT_FALSE(store.ChangedOnDisk("Ligatafel.xml")) << c.Name;
    }
}

// The copy is in the file although its folder entry may not be on disk: the
// division table holds it too, so the next save keeps it.
TEST_F(StoreFolderSyncTest, CopyWhoseOwnSyncFailsStaysInTheTable) {
    AddDivision("Bezirksliga", 2009);
    store_.SaveStaffel();
    std::string error;
    {
        TAtomicFaultScope fault(
            [](TAtomicStep step) { return step == TAtomicStep::SyncFolder ? EIO : 0; });
        error = ErrorOf([&] { store_.CopyStaffel(); });
    }
    EXPECT_TRUE(Contains(error, "\"" + File("Ligatafel.xml") + "\" wurde ersetzt")) << error;
    EXPECT_EQ(store_.t_staffel().DisplayCount(), 2);
    store_.SaveStaffel();
    EXPECT_TRUE(Contains(ReadBytes(File("Ligatafel.xml")), "Bezirksliga-14:05:09"));
    EXPECT_TRUE(told_.empty());
}
