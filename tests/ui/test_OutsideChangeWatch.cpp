// A data file changed from outside: offered for reloading while the window
// idles (once per change), asked about with two answers before a save.
#include "test_StaffelplanFixture.h"

#include "data/file/AtomicFile.h"
#include "ui/windows/OutsideChangeWatch.h"

#include <QTest>

#include <filesystem>

namespace {

class OutsideChangeTest : public StaffelplanTest {
protected:
    // As a sync tool does it: a new file renamed over the old one.
    static void ReplaceFromOutside(const std::string& fixture, const std::string& extra = "") {
        std::string content = TScratchFolder::Read(std::string(STAFFEL_FIXTURES) + "/" + fixture);
        content += extra;
        {
            std::ofstream out("outside.tmp", std::ios::binary);
            out << content;
        }
        std::filesystem::rename("outside.tmp", StaffelFileName);
    }
    bool HasDivisions() { return window->t_staffel().DisplayCount() > 0; }
};

TEST_F(OutsideChangeTest, IdleWindowOffersToReloadEachChangeOnce) {
    const std::string question = ReloadQuestion(FullPath(StaffelFileName));
    ReplaceFromOutside("Ligatafel_edited.xml");
    boxes.Answer(caDecline);
    window->OutsideChanges->Check();
    EXPECT_EQ(boxes.Questions(), std::vector<std::string>{question});
    EXPECT_FALSE(HasDivisions());

    boxes.Clear();
    window->OutsideChanges->Check();
    EXPECT_TRUE(boxes.Shown.empty()) << "a declined change is not offered again";

    ReplaceFromOutside("Ligatafel_edited.xml", " ");
    boxes.Answer(caAccept);
    window->OutsideChanges->Check();
    EXPECT_EQ(boxes.Questions(), std::vector<std::string>{question});
    EXPECT_TRUE(HasDivisions());
    EXPECT_FALSE(window->Store.ChangedOnDisk(StaffelFileName));
}

TEST_F(OutsideChangeTest, NoOfferWhileAnEditIsPending) {
    ReplaceFromOutside("Ligatafel_edited.xml");
    Press(nbInsert);
    window->OutsideChanges->Check();
    EXPECT_TRUE(boxes.Shown.empty());
    Press(nbCancel);
    EXPECT_TRUE(window->Idle());
    boxes.Answer(caAccept); // the end's save asks about the changed file
}

TEST_F(OutsideChangeTest, TheFolderWatchBringsTheOffer) {
    ReplaceFromOutside("Ligatafel_edited.xml");
    boxes.Answer(caAccept);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.Questions().empty(); }, 5000));
    EXPECT_TRUE(HasDivisions());
}

TEST_F(OutsideChangeTest, AnswersBeforeASave) {
    struct {
        TConfirmAnswer Answer;
        TOutsideChangeAnswer Want;
    } cases[] = {{caAccept, TOutsideChangeAnswer::LoadTheirs},
                 {caDecline, TOutsideChangeAnswer::SaveOurs},
                 {caClosed, TOutsideChangeAnswer::LoadTheirs}};
    const std::string path = "/daten/Ligatafel.xml";
    for (const auto& c : cases) {
        boxes.Clear();
        boxes.Answer(c.Answer);
        EXPECT_EQ(AskAboutOutsideChange({path}), c.Want) << c.Answer;
        ASSERT_EQ(boxes.Shown.size(), 1u) << c.Answer;
        EXPECT_EQ(boxes.Shown[0].Text, OutsideChangeQuestion(path)) << c.Answer;
        EXPECT_EQ(boxes.Shown[0].First, LoadTheirsAnswer) << c.Answer;
        EXPECT_EQ(boxes.Shown[0].Second, SaveOursAnswer) << c.Answer;
    }
}

TEST_F(OutsideChangeTest, SaveAfterAnOutsideChangeAsksAndKeepsBoth) {
    ReplaceFromOutside("Ligatafel_edited.xml");
    const std::string theirs = TScratchFolder::Read(StaffelFileName);
    Press(nbInsert);
    window->t_staffel().Field("Jahr").SetAsInteger(2010);
    window->t_staffel().Field("Klasse").SetAsText("Kreisliga");
    boxes.Answer(caDecline); // save ours
    Press(nbPost);
    ASSERT_EQ(boxes.Questions().size(), 1u);
    EXPECT_EQ(boxes.Shown[0].First, LoadTheirsAnswer);
    EXPECT_NE(TScratchFolder::Read(StaffelFileName).find("Kreisliga"), std::string::npos);
    bool theirsKept = false;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        theirsKept |= entry.path().filename() != StaffelFileName &&
                      TScratchFolder::Read(entry.path().string()) == theirs;
    EXPECT_TRUE(theirsKept);
    EXPECT_EQ(boxes.Notices().size(), 1u) << "the user is told the names";
}

} // namespace
