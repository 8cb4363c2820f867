#include "FakeMessageBoxes.h"
#include "data/StaffelError.h"
#include "test_DBTables.h"
#include "ui/controls/MYDBNav.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Widths(const TMYDBNav& nav) {
    std::vector<int> widths;
    for (int i = 0; i < MNavButtonCount; ++i)
        widths.push_back(nav.Button(static_cast<TMNavigateBtn>(i))->width());
    return widths;
}

TEST(NavWidgetTest, ConstructionGivesTheDefaults) {
    TMYDBNav nav;
    EXPECT_EQ(nav.size(), QSize(322, 25));
    EXPECT_EQ(Widths(nav), (std::vector<int>{20, 20, 20, 20, 30, 40, 40, 44, 44, 44}));
    EXPECT_EQ(nav.WidthUnit(), 0);
    EXPECT_EQ(nav.MinButtonExtent(), QPoint(20, 18));
    EXPECT_EQ(nav.FocusIndex(), nbFirst);
    EXPECT_TRUE(nav.ConfirmDelete());
    EXPECT_FALSE(nav.Flat());
    EXPECT_FALSE(nav.TabStop());
    EXPECT_EQ(nav.VisibleButtons(), TMButtonSet::All());
    const char* captions[] = {"",        "",       "",          "",          "neu",
                              "löschen", "ändern", "speichern", "abbrechen", "akt"};
    for (int i = 0; i < MNavButtonCount; ++i) {
        TMNavButton* b = nav.Button(static_cast<TMNavigateBtn>(i));
        EXPECT_EQ(b->text(), QString::fromUtf8(captions[i])) << i;
        EXPECT_EQ(b->Picture().Enabled.isNull(), i >= 4) << i;
        EXPECT_EQ(b->Style() == nsAutoRepeat, i == nbPrior || i == nbNext) << i;
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << i;
        EXPECT_TRUE(b->toolTip().isEmpty()) << i;
    }
    nav.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&nav));
    EXPECT_EQ(nav.WidthUnit(), 20);
}

TEST(NavWidgetTest, MainWindowBoundsHideRefreshOutside) {
    QWidget window;
    auto* nav = new TMYDBNav(&window);
    nav->SetVisibleButtons(TMButtonSet::All().Exclude(nbRefresh));
    nav->SetBounds(4, 174, 751, 25);
    EXPECT_EQ(nav->geometry(), QRect(4, 174, 751, 25));
    EXPECT_EQ(nav->WidthUnit(), 54);
    EXPECT_EQ(nav->Button(nbRefresh)->x(), 752);
    EXPECT_EQ(nav->Button(nbCancel)->geometry(), QRect(632, 0, 119, 25));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(nav->size(), QSize(751, 25));
    nav->resize(741, 25); // snapped to the nine buttons again
    EXPECT_EQ(nav->WidthUnit(), 53);
    EXPECT_EQ(nav->width(), 737);
}

TEST(NavWidgetTest, HintsSkipEmptyLinesAndStopAfterTheTenth) {
    TMYDBNav nav;
    nav.Button(nbPrior)->setToolTip("alt");
    nav.SetHints({"erster", "", "nächster"});
    EXPECT_EQ(nav.Button(nbFirst)->toolTip(), "erster");
    EXPECT_EQ(nav.Button(nbPrior)->toolTip(), "alt");
    EXPECT_EQ(nav.Button(nbNext)->toolTip(), "nächster");
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QString::number(i);
    nav.SetHints(many);
    EXPECT_EQ(nav.Button(nbRefresh)->toolTip(), "9");
    EXPECT_EQ(nav.Hints().size(), 12);
}

TEST(NavWidgetTest, FlatReachesEveryButton) {
    TMYDBNav nav;
    nav.SetFlat(true);
    for (int i = 0; i < MNavButtonCount; ++i)
        EXPECT_TRUE(nav.Button(static_cast<TMNavigateBtn>(i))->Flat()) << i;
}

// Counts clearly red pixels in a button's picture (text is antialiased).
int CountRed(QWidget* w) {
    const QImage image = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            n += c.red() > 150 && c.green() < 100 && c.blue() < 100;
        }
    return n;
}

TEST(NavWidgetTest, RedFontColourRepaintsTheCaptionsOnly) {
    TTestTable t({1, 2});
    TMYDBNav nav;
    nav.SetDataSource(&t.Source);
    nav.SetBounds(0, 0, 751, 25);
    nav.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&nav));
    nav.SetFontColor(Qt::red);
    EXPECT_EQ(nav.FontColor(), QColor(Qt::red));
    for (TMNavigateBtn b : {nbInsert, nbDelete, nbEdit, nbCancel, nbRefresh})
        EXPECT_GT(CountRed(nav.Button(b)), 5) << b;
    for (TMNavigateBtn b : {nbFirst, nbPrior, nbNext, nbLast})
        EXPECT_EQ(CountRed(nav.Button(b)), 0) << b;
}

class NavKeyboardTest : public ::testing::Test {
protected:
    NavKeyboardTest() : t({1, 2, 3}) {
        nav.SetDataSource(&t.Source);
        nav.SetTabStop(true);
        nav.show();
        nav.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&nav));
    }
    TFakeMessageBoxes boxes;
    TTestTable t;
    TMYDBNav nav;
};

TEST_F(NavKeyboardTest, PressTakesTheFocusAndSpaceClicksTheFocusedButton) {
    QTest::mouseClick(nav.Button(nbLast), Qt::LeftButton);
    EXPECT_TRUE(nav.hasFocus());
    EXPECT_EQ(nav.FocusIndex(), nbLast);
    EXPECT_EQ(t.Year(), 3);
    QTest::keyClick(&nav, Qt::Key_Left);
    QTest::keyClick(&nav, Qt::Key_Left);
    EXPECT_EQ(nav.FocusIndex(), nbPrior);
    QTest::keyClick(&nav, Qt::Key_Space);
    EXPECT_EQ(t.Year(), 2);
    QTest::keyClick(&nav, Qt::Key_Left);
    QTest::keyClick(&nav, Qt::Key_Space); // First
    EXPECT_EQ(t.Year(), 1);
    QTest::keyClick(&nav, Qt::Key_Space); // First is disabled now: nothing
    EXPECT_EQ(t.Year(), 1);
}

TEST_F(NavKeyboardTest, ArrowsSkipHiddenButtonsAndStopAtTheEnds) {
    nav.SetVisibleButtons(TMButtonSet::All().Exclude(nbRefresh).Exclude(nbNext));
    nav.setFocus();
    struct {
        Qt::Key Key;
        TMNavigateBtn Want;
    } steps[] = {{Qt::Key_Left, nbFirst},   {Qt::Key_Right, nbPrior}, {Qt::Key_Right, nbLast},
                 {Qt::Key_Left, nbPrior},   {Qt::Key_Right, nbLast},  {Qt::Key_Right, nbInsert},
                 {Qt::Key_Right, nbDelete}, {Qt::Key_Right, nbEdit},  {Qt::Key_Right, nbPost},
                 {Qt::Key_Right, nbCancel}, {Qt::Key_Right, nbCancel}};
    int i = 0;
    for (const auto& step : steps) {
        QTest::keyClick(&nav, step.Key);
        EXPECT_EQ(nav.FocusIndex(), step.Want) << "step " << i++;
    }
}

TEST_F(NavKeyboardTest, FocusMarkIsDrawnOnlyWhileFocused) {
    nav.setFocus();
    ASSERT_TRUE(nav.hasFocus());
    QTest::keyClick(&nav, Qt::Key_Right);
    QTest::keyClick(&nav, Qt::Key_Right); // onto Next, which is enabled
    const QImage focused = nav.Button(nbNext)->grab().toImage();
    const QColor mark = nav.FontColor();
    // The dotted rectangle starts 3 pixels in; every second pixel is set.
    EXPECT_EQ(QColor(focused.pixel(3, 3)), mark);
    EXPECT_NE(QColor(focused.pixel(4, 3)), mark);
    EXPECT_EQ(QColor(focused.pixel(5, 3)), mark);
    nav.clearFocus();
    const QImage unfocused = nav.Button(nbNext)->grab().toImage();
    EXPECT_NE(QColor(unfocused.pixel(3, 3)), mark);
}

class NavRepeatTest : public ::testing::Test {
protected:
    NavRepeatTest() : t({1, 2, 3, 4}) {
        nav.SetDataSource(&t.Source);
        nav.OnClick = [this](TMYDBNav*, TMNavigateBtn) { ++clicks; };
        nav.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&nav));
    }
    TFakeMessageBoxes boxes;
    TTestTable t;
    TMYDBNav nav;
    int clicks = 0;
};

// The ticks are driven by hand: the test holds the clock.
TEST_F(NavRepeatTest, HeldNextRepeatsAfter400ThenEvery100AndOnceMoreOnRelease) {
    TMNavButton* next = nav.Button(nbNext);
    QTest::mousePress(next, Qt::LeftButton);
    ASSERT_NE(next->RepeatTicker(), nullptr);
    EXPECT_TRUE(next->RepeatTicker()->isActive());
    EXPECT_EQ(next->RepeatTicker()->interval(), 400);
    EXPECT_EQ(t.Year(), 1);
    next->RepeatTick();
    EXPECT_EQ(next->RepeatTicker()->interval(), 100);
    EXPECT_EQ(t.Year(), 2);
    next->RepeatTick();
    EXPECT_EQ(t.Year(), 3);
    QTest::mouseRelease(next, Qt::LeftButton);
    EXPECT_FALSE(next->RepeatTicker()->isActive());
    EXPECT_EQ(t.Year(), 4);
    EXPECT_EQ(clicks, 3);
    next->RepeatTick(); // a late tick after release does nothing
    EXPECT_EQ(clicks, 3);
}

TEST_F(NavRepeatTest, OtherButtonsDoNotRepeat) {
    QTest::mousePress(nav.Button(nbLast), Qt::LeftButton);
    EXPECT_EQ(nav.Button(nbLast)->RepeatTicker(), nullptr);
    QTest::mouseRelease(nav.Button(nbLast), Qt::LeftButton);
    EXPECT_EQ(t.Year(), 4);
}

TEST_F(NavRepeatTest, FailureStopsTheRepeat) {
    TMNavButton* next = nav.Button(nbNext);
    int calls = 0;
    nav.BeforeAction = [&](TMYDBNav*, TMNavigateBtn) {
        if (++calls == 2)
            throw TStaffelError("Abbruch");
    };
    QTest::mousePress(next, Qt::LeftButton);
    next->RepeatTick();
    EXPECT_EQ(t.Year(), 2);
    next->RepeatTick();
    EXPECT_FALSE(next->RepeatTicker()->isActive());
    EXPECT_EQ(boxes.Errors(), (std::vector<std::string>{"Abbruch"}));
    QTest::mouseRelease(next, Qt::LeftButton);
    EXPECT_EQ(t.Year(), 2);
}

TEST_F(NavRepeatTest, RealTimerTicksWhileHeld) {
    TMNavButton* next = nav.Button(nbNext);
    QTest::mousePress(next, Qt::LeftButton);
    for (int i = 0; i < 100 && t.Year() == 1; ++i)
        QTest::qWait(50);
    EXPECT_GE(t.Year(), 2);
    QTest::mouseRelease(next, Qt::LeftButton);
}

} // namespace
