#include "FakeMessageBoxes.h"
#include "data/StaffelError.h"
#include "test_DBTables.h"
#include "ui/controls/MYDBNav.h"

#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A navigator on a table of three years whose events log what they see.
class NavClickTest : public ::testing::Test {
protected:
    NavClickTest() : t({2001, 2002, 2003}) {
        nav.SetDataSource(&t.Source);
        nav.BeforeAction = [this](TMYDBNav* sender, TMNavigateBtn b) {
            EXPECT_EQ(sender, &nav);
            log.push_back("before " + std::to_string(b) + " " + StateName());
            if (failBefore)
                throw TStaffelError("Vorher fehlgeschlagen");
        };
        nav.OnClick = [this](TMYDBNav* sender, TMNavigateBtn b) {
            EXPECT_EQ(sender, &nav);
            log.push_back("click " + std::to_string(b) + " " + StateName());
        };
    }
    std::string StateName() {
        static const char* const names[] = {"inactive", "browse", "edit", "insert"};
        return std::string(names[t.Table.State()]) +
               (t.Table.IsEmpty() || t.Table.State() == tsInsert ? ""
                                                                 : " " + std::to_string(t.Year()));
    }

    TFakeMessageBoxes boxes;
    TTestTable t;
    TMYDBNav nav;
    std::vector<std::string> log;
    bool failBefore = false;
};

using Log = std::vector<std::string>;

TEST_F(NavClickTest, EachButtonRunsBeforeActionThenTheOperationThenOnClick) {
    struct {
        TMNavigateBtn Button;
        const char* After;
    } steps[] = {{nbLast, "browse 2003"}, {nbPrior, "browse 2002"},  {nbFirst, "browse 2001"},
                 {nbNext, "browse 2002"}, {nbEdit, "edit 2002"},     {nbCancel, "browse 2002"},
                 {nbInsert, "insert"},    {nbCancel, "browse 2002"}, {nbCancel, "browse 2002"}};
    std::string before = "browse 2001";
    for (const auto& step : steps) {
        log.clear();
        nav.ClickButton(step.Button);
        EXPECT_EQ(log, (Log{"before " + std::to_string(step.Button) + " " + before,
                            "click " + std::to_string(step.Button) + " " + step.After}))
            << "button " << step.Button;
        before = step.After;
    }
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(NavClickTest, DeleteAsksAndDeclinedDeleteStillClicks) {
    boxes.Answer(caDecline);
    nav.ClickButton(nbDelete);
    EXPECT_EQ(boxes.Shown, (std::vector<TShownBox>{
                               {TShownBox::Question, "Datensatz wirklich löschen", cbYesCancel}}));
    EXPECT_EQ(log, (Log{"before 5 browse 2001", "click 5 browse 2001"}));

    boxes.Answer(caClosed);
    nav.ClickButton(nbDelete);
    EXPECT_EQ(t.Year(), 2001);

    boxes.Answer(caAccept);
    log.clear();
    nav.ClickButton(nbDelete);
    EXPECT_EQ(log, (Log{"before 5 browse 2001", "click 5 browse 2002"}));
}

TEST_F(NavClickTest, WithoutConfirmDeleteNoQuestionIsAsked) {
    nav.SetConfirmDelete(false);
    nav.ClickButton(nbDelete);
    EXPECT_TRUE(boxes.Shown.empty());
    EXPECT_EQ(t.Year(), 2002);
}

TEST_F(NavClickTest, FailedPostIsShownPlainlyAndOnClickStillRuns) {
    nav.ClickButton(nbInsert); // Jahr is required and stays empty
    log.clear();
    nav.ClickButton(nbPost);
    EXPECT_EQ(boxes.Shown,
              (std::vector<TShownBox>{{TShownBox::Notice, "Feld 'Jahr' muss einen Wert haben"}}));
    EXPECT_EQ(log, (Log{"before 7 insert", "click 7 insert"}));
    EXPECT_EQ(t.Table.State(), tsInsert);
}

TEST_F(NavClickTest, FailingBeforeActionStopsTheOperationAndOnClick) {
    failBefore = true;
    EXPECT_THROW(nav.ClickButton(nbNext), TStaffelError);
    EXPECT_EQ(log, (Log{"before 2 browse 2001"}));
    EXPECT_EQ(t.Year(), 2001);
}

TEST_F(NavClickTest, FailureOfAMouseClickGoesToTheErrorBox) {
    nav.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&nav));
    failBefore = true;
    QTest::mouseClick(nav.Button(nbNext), Qt::LeftButton);
    EXPECT_EQ(boxes.Errors(), (std::vector<std::string>{"Vorher fehlgeschlagen"}));
    EXPECT_EQ(log, (Log{"before 2 browse 2001"}));
    EXPECT_EQ(t.Year(), 2001);

    failBefore = false;
    log.clear();
    QTest::mouseClick(nav.Button(nbNext), Qt::LeftButton);
    EXPECT_EQ(log, (Log{"before 2 browse 2001", "click 2 browse 2002"}));
}

TEST_F(NavClickTest, FailingRefreshSkipsOnClickAndKeepsTheButtons) {
    nav.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&nav));
    QTest::mouseClick(nav.Button(nbRefresh), Qt::LeftButton);
    ASSERT_EQ(boxes.Errors().size(), 1u);
    EXPECT_NE(boxes.Errors()[0].find("t_test: "), std::string::npos) << boxes.Errors()[0];
    EXPECT_EQ(log, (Log{"before 9 browse 2001"}));
    EXPECT_TRUE(nav.Button(nbRefresh)->isEnabled());
}

TEST_F(NavClickTest, ClosedTableRunsOnlyOnClick) {
    t.Table.Close();
    nav.ClickButton(nbFirst);
    EXPECT_EQ(log, (Log{"click 0 inactive"}));
    nav.SetDataSource(nullptr);
    log.clear();
    nav.ClickButton(nbCancel);
    EXPECT_EQ(log, (Log{"click 8 inactive"}));
}

TEST(NavPostMessageTest, IndexfehlerIsShownAsDatensatzBereitsVorhanden) {
    TFakeMessageBoxes boxes;
    TTestTable t({1});
    TMYDBNav nav;
    nav.SetDataSource(&t.Source);
    t.Table.Edit();
    nav.BeforeAction = [](TMYDBNav*, TMNavigateBtn) {};
    // A row-level check that fails with the store's own index text.
    struct TFailingLink : TTableLink {
        void Notify(TTableNotice notice, TField*) override {
            if (notice == tnWriteBack)
                throw TStaffelError("Indexfehler");
        }
    } link;
    link.SetTable(&t.Table);
    nav.ClickButton(nbPost);
    EXPECT_EQ(boxes.Notices(), (std::vector<std::string>{"Datensatz bereits vorhanden"}));
    EXPECT_EQ(t.Table.State(), tsEdit);
}

} // namespace
