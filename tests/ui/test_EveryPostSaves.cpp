// A post the navigator's "speichern" did not make is saved all the same, and
// a reload offered after an outside change never costs a change the file lacks.
#include "test_StaffelplanFixture.h"

#include "data/file/AtomicFile.h"
#include "ui/controls/DBGrid.h"
#include "ui/windows/OutsideChangeWatch.h"

#include <QTest>

#include <filesystem>
#include <functional>

namespace {

class EveryPostSavesTest : public StaffelplanTest {
protected:
    void SetUp() override {
        StaffelplanTest::SetUp();
        TRecordTable& table = window->t_staffel();
        for (const char* klasse : {"Bezirksliga", "Kreisliga"}) {
            table.Append();
            table.Field("Jahr").SetAsInteger(2026);
            table.Field("Klasse").SetAsText(klasse);
            table.Post();
        }
        window->Store.SaveStaffel();
        table.First();
    }

    // Starts an edit of the first division as a user does: "ändern", typing.
    void EditFirstTeam(const char* team) {
        Press(nbEdit);
        QTest::keyClick(window->SlotEdits[0], Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(window->SlotEdits[0], team);
    }

    static std::string File() { return TScratchFolder::Read(StaffelFileName); }
};

TEST_F(EveryPostSavesTest, EveryWayOfEndingAnEditSavesLikeTheNavigator) {
    const struct {
        const char* Name;
        std::function<void(TStaffelplan&)> EndEdit;
    } ways[] = {
        {"click on another row of the grid",
         [](TStaffelplan& w) {
             const QRect row = w.DBGrid1->visualRect(w.DBGrid1->model()->index(1, 1));
             QTest::mouseClick(w.DBGrid1->viewport(), Qt::LeftButton, {}, row.center());
         }},
        {"navigator moves on", [](TStaffelplan& w) { w.MYDBNav1->ClickButton(nbNext); }},
        {"an export ends the edit", [](TStaffelplan& w) { w.t_staffel().FinishEdit(); }},
    };
    int n = 0;
    for (const auto& way : ways) {
        const std::string team = "TV Team " + std::to_string(++n);
        window->t_staffel().First();
        EditFirstTeam(team.c_str());
        Guard([&] { way.EndEdit(*window); });
        EXPECT_EQ(window->t_staffel().State(), tsBrowse) << way.Name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return File().find(team) != std::string::npos; }, 2000))
            << way.Name;
        EXPECT_FALSE(window->Store.Unsaved(StaffelFileName)) << way.Name;
        EXPECT_TRUE(EditorsLocked()) << way.Name;
        EXPECT_TRUE(boxes.Shown.empty()) << way.Name;
    }
}

TEST_F(EveryPostSavesTest, ReloadKeepsAChangeAFailedSaveLeftBehind) {
    EditFirstTeam("TV Verloren");
    {
        const TAtomicFaultScope diskFull(
            [](TAtomicStep step) { return step == TAtomicStep::WriteTemp ? ENOSPC : 0; });
        Guard([&] { window->MYDBNav1->ClickButton(nbNext); });
        QTest::qWait(50);
    }
    ASSERT_EQ(boxes.Errors().size(), 1u) << "the failed save is shown once";
    ASSERT_TRUE(window->Store.Unsaved(StaffelFileName));

    // Another program replaces the file.
    std::filesystem::copy_file(std::string(STAFFEL_FIXTURES) + "/Ligatafel_edited.xml",
                               "outside.tmp");
    std::filesystem::rename("outside.tmp", StaffelFileName);
    boxes.Clear();
    boxes.Answer(caAccept);
    window->OutsideChanges->Check();

    std::string kept;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        if (entry.path().filename().string().find(".ungespeichert-") != std::string::npos)
            kept = entry.path().filename().string();
    ASSERT_FALSE(kept.empty());
    EXPECT_NE(TScratchFolder::Read(kept).find("TV Verloren"), std::string::npos);
    EXPECT_EQ(boxes.Questions(),
              std::vector<std::string>{ReloadQuestion(FullPath(StaffelFileName), FullPath(kept))});
    EXPECT_FALSE(window->Store.Unsaved(StaffelFileName)) << "the table is the file's now";
}

} // namespace
