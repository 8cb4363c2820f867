// The club window's editing cycle on the store's club table: the club file
// appears with the first posted club and never before.
#include "test_StaffelplanFixture.h"

#include "ui/controls/DBGrid.h"
#include "ui/windows/Vereine.h"

#include <QTest>

namespace {

class VereineTest : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        window->OpenVereine();
        clubs = window->Vereine;
        ASSERT_NE(clubs, nullptr);
        clubs->show();
        QApplication::setActiveWindow(clubs);
    }
    void Press(TMNavigateBtn button) {
        Guard([&] { clubs->MYDBNav1->ClickButton(button); });
    }
    void AddClub(const char* name, const char* capacity, const char* blocked) {
        Press(nbInsert);
        QTest::keyClicks(clubs->DBEdit1, name);
        if (*capacity) {
            QTest::keyClick(clubs->DBEdit2, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(clubs->DBEdit2, capacity);
        }
        QTest::keyClicks(clubs->DBEdit3, blocked);
        Press(nbPost);
    }
    TRecordTable& table() { return window->Store.t_vereine(); }

    TVereine* clubs = nullptr;
};

TEST_F(VereineTest, OpenedModallyFromTheMainWindowWithEditorsLocked) {
    EXPECT_EQ(shownModally, std::vector<QDialog*>{clubs});
    EXPECT_EQ(clubs->windowTitle(), "Vereine");
    EXPECT_FALSE(clubs->DBEdit1->isEnabled());
    EXPECT_TRUE(clubs->DBGrid1->ReadOnly());
    // Opened again: the same window.
    window->OpenVereine();
    EXPECT_EQ(window->Vereine, clubs);
}

TEST_F(VereineTest, FirstPostedClubCreatesTheClubFile) {
    EXPECT_FALSE(TScratchFolder::Exists(VereineFileName));
    Press(nbInsert);
    EXPECT_TRUE(clubs->DBEdit1->isEnabled());
    EXPECT_TRUE(clubs->DBEdit1->hasFocus());
    EXPECT_EQ(table().Field("Kapazitaet").AsText(), "1");
    Press(nbCancel);
    EXPECT_FALSE(TScratchFolder::Exists(VereineFileName)) << "nothing posted, nothing written";

    const std::string divisions = TScratchFolder::Read(StaffelFileName);
    AddClub("TV Hude", "", "24.12.2026 3.10.2026");
    EXPECT_TRUE(boxes.Shown.empty()) << boxes.Shown.front();
    EXPECT_EQ(table().State(), tsBrowse);
    const std::string file = TScratchFolder::Read(VereineFileName);
    EXPECT_NE(file.find("Verein=\"TV Hude\""), std::string::npos) << file;
    EXPECT_NE(file.find("Sperrtermine=\"2026-10-03; 2026-12-24\""), std::string::npos) << file;
    EXPECT_EQ(clubs->DBEdit3->text(), "03.10.2026; 24.12.2026");
    EXPECT_EQ(TScratchFolder::Read(StaffelFileName), divisions) << "the division file unchanged";

    // A deletion reaches the file at once.
    boxes.Answer(caAccept);
    Press(nbDelete);
    TRecordTable saved("t_vereine");
    saved.Load(VereineFileName);
    EXPECT_EQ(saved.DisplayCount(), 0);
}

TEST_F(VereineTest, BadClubStaysPendingAndWritesNothing) {
    struct {
        const char* Name;
        const char* Capacity;
        const char* Blocked;
        const char* Error;
    } const cases[] = {
        {"TV Hude", "12", "", "Die Kapazität muss zwischen 1 und 9 liegen, nicht 12."},
        {"TV Hude", "", "Ostern",
         "„Ostern“ ist kein gültiges Datum. Sperrtermine werden als Datum eingegeben (etwa "
         "03.10.2009), getrennt durch Semikolon."},
    };
    for (const auto& c : cases) {
        boxes.Clear();
        AddClub(c.Name, c.Capacity, c.Blocked);
        EXPECT_EQ(table().State(), tsInsert) << c.Error;
        EXPECT_FALSE(boxes.Shown.empty()) << c.Error;
        if (!boxes.Shown.empty())
            EXPECT_EQ(boxes.Shown.front().Text, c.Error);
        EXPECT_FALSE(TScratchFolder::Exists(VereineFileName)) << c.Error;
        table().Cancel();
    }
}

// Whatever the user's date format, the file gets one form; the window
// shows and takes the user's.
TEST_F(VereineTest, BlockedDatesShownInTheUsersFormatStoredInOne) {
    struct {
        const char* Format;
        const char* Typed;
        const char* Shown;
    } const cases[] = {
        {"dd.MM.yyyy", "24.12.2026 3.10.2026", "03.10.2026; 24.12.2026"},
        {"dd/MM/yyyy", "24/12/2026; 3/10/2026", "03/10/2026; 24/12/2026"},
        {"M/d/yyyy", "12/24/2026;10/3/2026", "10/3/2026; 12/24/2026"},
        {"M/d/yyyy", "2026-10-03; 24.12.2026", "10/3/2026; 12/24/2026"},
    };
    for (const auto& c : cases) {
        TRegionalSettings settings = TRegionalSettings::German();
        settings.ShortDateFormat = c.Format;
        table().SetSettings(settings);
        boxes.Clear();
        AddClub(("SC " + std::string(c.Typed)).c_str(), "", c.Typed);
        ASSERT_TRUE(boxes.Shown.empty()) << c.Typed << ": " << boxes.Shown.front().Text;
        const std::string file = TScratchFolder::Read(VereineFileName);
        EXPECT_NE(file.find("Sperrtermine=\"2026-10-03; 2026-12-24\""), std::string::npos)
            << c.Typed << ": " << file;
        EXPECT_EQ(clubs->DBEdit3->text(), c.Shown) << c.Typed;
        const QModelIndex cell = clubs->DBGrid1->GridModel()->index(table().DisplayIndex(), 2);
        EXPECT_EQ(cell.data().toString(), c.Shown) << c.Typed;
    }
}

TEST_F(VereineTest, WithoutClubsTheEndWritesNoClubFile) {
    Press(nbInsert);
    window.reset();
    EXPECT_TRUE(TScratchFolder::Exists(StaffelFileName));
    EXPECT_FALSE(TScratchFolder::Exists(VereineFileName));
}

TEST_F(VereineTest, ClubFileIsLoadedAtTheNextStart) {
    AddClub("TV Hude", "2", "");
    window.reset();
    Open();
    TRecordTable& loaded = window->Store.t_vereine();
    ASSERT_EQ(loaded.DisplayCount(), 1);
    EXPECT_EQ(loaded.Field("Verein").AsText(), "TV Hude");
    EXPECT_EQ(loaded.Field("Kapazitaet").AsInteger(), 2);
}

} // namespace
