#include "ui/controls/LayoutButtons.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct TLayoutCase {
    const char* Name;
    int Width, Height;
    TMButtonSet Visible;
    bool Docked;
    int CurrentWidth;
    int WantWidth, WantHeight, WantUnit;
    std::vector<int> WantWidths; // of every button, hidden ones included
    std::vector<int> WantX;
};

std::ostream& operator<<(std::ostream& out, const TLayoutCase& c) {
    return out << c.Name;
}

TMButtonSet AllBut(TMNavigateBtn b) {
    return TMButtonSet::All().Exclude(b);
}

class LayoutButtonsTest : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(LayoutButtonsTest, PlacesEveryButton) {
    const TLayoutCase& c = GetParam();
    const TNavLayout layout = LayoutButtons(c.Width, c.Height, c.Visible, c.Docked, c.CurrentWidth);
    EXPECT_EQ(layout.Width, c.WantWidth);
    EXPECT_EQ(layout.Height, c.WantHeight);
    EXPECT_EQ(layout.WidthUnit, c.WantUnit);
    std::vector<int> widths, xs;
    for (const TNavButtonPlace& place : layout.Buttons) {
        widths.push_back(place.Width);
        xs.push_back(place.X);
    }
    EXPECT_EQ(widths, c.WantWidths);
    EXPECT_EQ(xs, c.WantX);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, LayoutButtonsTest,
    ::testing::Values(TLayoutCase{"main window, nine buttons",
                                  751,
                                  25,
                                  AllBut(nbRefresh),
                                  false,
                                  751,
                                  751,
                                  25,
                                  54,
                                  {54, 54, 54, 54, 81, 108, 108, 119, 119, 119},
                                  {0, 54, 108, 162, 216, 297, 405, 513, 632, 752}},
                      TLayoutCase{"calendar window, ten buttons",
                                  741,
                                  25,
                                  TMButtonSet::All(),
                                  false,
                                  741,
                                  741,
                                  25,
                                  46,
                                  {46, 46, 46, 46, 69, 92, 92, 101, 101, 101},
                                  {0, 46, 92, 138, 184, 253, 345, 437, 538, 639}},
                      TLayoutCase{"new navigator grows to its minimum",
                                  241,
                                  25,
                                  TMButtonSet::All(),
                                  false,
                                  241,
                                  322,
                                  25,
                                  20,
                                  {20, 20, 20, 20, 30, 40, 40, 44, 44, 44},
                                  {0, 20, 40, 60, 80, 110, 150, 190, 234, 278}},
                      TLayoutCase{"docked 760 keeps its width; Insert 70.5 rounds to 70",
                                  760,
                                  25,
                                  TMButtonSet::All(),
                                  true,
                                  760,
                                  760,
                                  25,
                                  47,
                                  {47, 47, 48, 47, 70, 94, 94, 103, 104, 103},
                                  {0, 47, 94, 142, 189, 259, 353, 447, 550, 654}},
                      TLayoutCase{"no visible button: at least 20 x 18",
                                  5,
                                  3,
                                  TMButtonSet(),
                                  false,
                                  5,
                                  20,
                                  18,
                                  20,
                                  {20, 20, 20, 20, 30, 40, 40, 44, 44, 44},
                                  {6, 6, 6, 6, 6, 6, 6, 6, 6, 6}},
                      TLayoutCase{"only the captions: snapped to the unit",
                                  200,
                                  30,
                                  TMButtonSet{nbPost, nbCancel},
                                  false,
                                  200,
                                  198,
                                  30,
                                  45,
                                  {45, 45, 45, 45, 68, 90, 90, 99, 99, 99},
                                  {201, 201, 201, 201, 201, 201, 201, 0, 99, 201}},
                      // 25 x 3.7 is a tie that a decimal 2.2 would round to 92; the
                      // single-precision weight lifts it to 92.5000012, which gives 93.
                      TLayoutCase{"single-precision weight breaks the tie",
                                  92,
                                  25,
                                  TMButtonSet{nbInsert, nbPost},
                                  false,
                                  92,
                                  93,
                                  25,
                                  25,
                                  {25, 25, 25, 25, 38, 50, 50, 55, 55, 55},
                                  {93, 93, 93, 93, 0, 93, 93, 38, 93, 93}}));

TEST(LayoutButtonsLimitsTest, HugeRequestsStayWithinInt) {
    const TNavLayout layout =
        LayoutButtons(INT_MAX, INT_MAX, TMButtonSet::All(), true, INT_MAX - 1);
    EXPECT_LE(layout.Width, 1 << 24);
    EXPECT_LE(layout.Height, 1 << 24);
    EXPECT_GT(layout.WidthUnit, 0);
    EXPECT_EQ(layout.Buttons[nbFirst].X, 0);
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    struct {
        std::int64_t Num, Den, Want;
    } cases[] = {{5, 2, 2},   {7, 2, 4},    {3, 2, 2},  {1, 2, 0},  {-1, 2, 0},
                 {-3, 2, -2}, {-5, 2, -2},  {10, 4, 2}, {11, 4, 3}, {9, 4, 2},
                 {-9, 4, -2}, {-11, 4, -3}, {0, 7, 0},  {14, 7, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.Num, c.Den), c.Want) << c.Num << " / " << c.Den;
}

} // namespace
