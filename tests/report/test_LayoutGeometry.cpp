// Where the head, a block and the divider stand on the layouts' pages.
#include "report/FixtureLayout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <set>

namespace {

const TLayoutItem* FindItem(const TLayoutPage& page, TLayoutItemKind kind, double left,
                            double top) {
    for (const TLayoutItem& item : page.Items)
        if (item.Kind == kind && std::abs(item.Left - left) < 1e-9 &&
            std::abs(item.Top - top) < 1e-9)
            return &item;
    return nullptr;
}

struct THeadCase {
    const TFixtureLayout* Layout;
    TLayoutItemKind Kind;
    double Left, Top, Width;
    std::string Content; // text or data field
    TPageFont Font;
    TFontJustify Justify;
};

class LayoutHead : public ::testing::TestWithParam<THeadCase> {};

TEST_P(LayoutHead, ItemStandsWhereExpected) {
    const THeadCase& c = GetParam();
    const TLayoutItem* item = FindItem(c.Layout->Pages[0], c.Kind, c.Left, c.Top);
    ASSERT_NE(item, nullptr) << c.Layout->Name << " " << c.Content;
    EXPECT_DOUBLE_EQ(item->Width, c.Width) << c.Content;
    EXPECT_EQ(c.Kind == liText ? item->Text : item->DataField, c.Content);
    EXPECT_EQ(item->Font, c.Font) << c.Content;
    EXPECT_EQ(item->FontJustify, c.Justify) << c.Content;
}

const TFixtureLayout* K8 = &Klasse8Layout();
const TFixtureLayout* K10 = &Klasse10Layout();
INSTANTIATE_TEST_SUITE_P(
    Head, LayoutHead,
    ::testing::Values(
        THeadCase{
            K8, liDataText, 1.3394, 0.26, 5.5833, "Ueberschrift", {"Arial", 20, true}, pjCenter},
        THeadCase{K8,
                  liText,
                  0.50,
                  0.71,
                  2.40,
                  "Spielplan der Verbandsrunde: ",
                  {"Arial", 12, true},
                  pjLeft},
        THeadCase{K8, liDataText, 3.00, 0.71, 1.00, "Jahr", {"Arial", 12, false}, pjLeft},
        THeadCase{
            K8, liDataText, 6.80, 0.70, 1.00, "Report.DateShort", {"Arial", 10, false}, pjLeft},
        THeadCase{K8, liText, 0.50, 0.93, 0.80, "Klasse:", {"Arial", 12, true}, pjLeft},
        THeadCase{K8, liDataText, 1.21, 0.93, 1.80, "Klasse", {"Arial", 12, false}, pjLeft},
        THeadCase{K8, liText, 3.40, 0.93, 1.20, "Mannschaft:", {"Arial", 12, true}, pjLeft},
        THeadCase{K8, liDataText, 4.51, 0.93, 1.80, "Mannschaft", {"Arial", 12, false}, pjLeft},
        THeadCase{K10,
                  liText,
                  0.50,
                  0.75,
                  2.40,
                  "Spielplan der Verbandsrunde: ",
                  {"Arial", 12, true},
                  pjLeft},
        THeadCase{K10, liDataText, 3.00, 0.75, 1.00, "Jahr", {"Arial", 12, false}, pjLeft},
        THeadCase{
            K10, liDataText, 6.80, 0.74, 1.00, "Report.DateShort", {"Arial", 10, false}, pjLeft},
        THeadCase{K10, liDataText, 4.51, 0.97, 1.80, "Mannschaft", {"Arial", 12, false}, pjLeft}));

TEST(LayoutHead, BoxBeforeHeadingAndFooterLine) {
    for (const TFixtureLayout* layout : {K8, K10}) {
        const auto& items = layout->Pages[0].Items;
        ASSERT_GE(items.size(), 2u);
        EXPECT_EQ(items[0].Kind, liRectangle) << layout->Name;
        EXPECT_EQ(items[0].FillStyle, fsSolid);
        EXPECT_EQ(items[0].FillColor, (TRgb{192, 192, 192}));
        EXPECT_EQ(items[0].BorderWidth, 1);
        EXPECT_DOUBLE_EQ(items[0].Left + items[0].Width, 7.80);
        EXPECT_EQ(items[1].DataField, "Ueberschrift") << layout->Name;
        EXPECT_NEAR(items[1].Left + items[1].Width / 2, 4.1311, 1e-4);
        const TLayoutItem& footer = items.back();
        EXPECT_EQ(footer.Kind, liText);
        EXPECT_EQ(footer.FontJustify, pjRight);
        EXPECT_NEAR(footer.Left + footer.Width, 7.8078, 1e-4);
        EXPECT_DOUBLE_EQ(footer.Top, 11.5139);
    }
}

TEST(LayoutPages, SecondPageOfKlasse10HasOnlyBlocks) {
    ASSERT_EQ(K8->Pages.size(), 1u);
    ASSERT_EQ(K10->Pages.size(), 2u);
    for (const TLayoutItem& item : K10->Pages[1].Items) {
        EXPECT_NE(item.DataField, "Ueberschrift");
        EXPECT_NE(item.DataField, "Report.DateShort");
        EXPECT_NE(item.DataField, "Klasse");
        EXPECT_GE(item.Top, 1.09) << item.Text << item.DataField;
        EXPECT_LT(item.Top, 11.0) << item.Text << item.DataField;
    }
}

// The titles in print order, and the tops of their blocks.
TEST(LayoutPages, BlockTitlesAndTops) {
    const struct {
        const TFixtureLayout* Layout;
        std::vector<std::pair<std::string, double>> Blocks;
    } cases[] = {
        {K8,
         {{"1. Spieltag", 1.26},
          {"2. Spieltag", 2.55},
          {"3. Spieltag", 3.84},
          {"4. Spieltag", 5.13},
          {"5. Spieltag", 6.42},
          {"6. Spieltag", 7.71},
          {"7. Spieltag", 9.00},
          {"8. Spieltag", 10.29}}},
        {K10,
         {{"1. Spieltag", 1.55},
          {"2. Spieltag", 3.09},
          {"3. Spieltag", 4.64},
          {"4. Spieltag", 6.19},
          {"4a. Spieltag", 7.76},
          {"5. Spieltag", 1.09},
          {"6. Spieltag", 2.62},
          {"7. Spieltag", 4.15},
          {"8. Spieltag", 5.70},
          {"8a. Spieltag", 7.25}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, double>> found;
        for (const TLayoutPage& page : c.Layout->Pages)
            for (const TLayoutItem& item : page.Items)
                if (item.Kind == liText && item.Text.ends_with("Spieltag"))
                    found.push_back({item.Text, std::round((item.Top - 0.02) * 100) / 100});
        EXPECT_EQ(found, c.Blocks) << c.Layout->Name;
    }
}

struct TBlockCase {
    const TFixtureLayout* Layout;
    int Page;
    double T;
    double Height;
    std::string DateField;
    double DividerTop;
    double DividerHeight;
};

class LayoutBlock : public ::testing::TestWithParam<TBlockCase> {};

TEST_P(LayoutBlock, FrameLinesLabelsAndDivider) {
    const TBlockCase& c = GetParam();
    const TLayoutPage& page = c.Layout->Pages[c.Page];
    const double t = c.T;
    const TLayoutItem* frame = FindItem(page, liRectangle, 0.40, t);
    ASSERT_NE(frame, nullptr) << c.Layout->Name << " T=" << t;
    EXPECT_DOUBLE_EQ(frame->Width, 7.40);
    EXPECT_DOUBLE_EQ(frame->Height, c.Height);
    EXPECT_EQ(frame->BorderWidth, 3);
    EXPECT_EQ(frame->FillStyle, fsNone);

    const TLayoutItem* date = FindItem(page, liDataText, 1.40, t + 0.02);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->DataField, c.DateField);
    EXPECT_TRUE(date->Font.Bold);

    const TLayoutItem* solid = FindItem(page, liHLine, 0.40, t + 0.20);
    ASSERT_NE(solid, nullptr);
    EXPECT_EQ(solid->LineWidth, 2);
    EXPECT_EQ(solid->LineStyle, psSolid);
    const TLayoutItem* dashed = FindItem(page, liHLine, 0.40, t + 0.50);
    ASSERT_NE(dashed, nullptr);
    EXPECT_EQ(dashed->LineWidth, 1);
    EXPECT_EQ(dashed->LineStyle, psDash);

    const std::pair<double, std::string> labels[] = {
        {0.50, "heim"}, {2.29, "ausw\xE4rts"}, {4.26, "heim"}, {6.04, "ausw\xE4rts"}};
    for (const auto& [left, text] : labels) {
        const TLayoutItem* label = FindItem(page, liText, left, t + 0.34);
        ASSERT_NE(label, nullptr) << left;
        EXPECT_EQ(label->Text, text);
    }
    ASSERT_NE(FindItem(page, liText, 4.26, t + 0.20), nullptr);
    EXPECT_EQ(FindItem(page, liText, 4.26, t + 0.20)->Text, "2. Spiel 19 Uhr");

    const TLayoutItem* divider = FindItem(page, liVLine, 4.14, c.DividerTop);
    ASSERT_NE(divider, nullptr);
    EXPECT_DOUBLE_EQ(divider->Height, c.DividerHeight);
    EXPECT_EQ(divider->LineWidth, 2);
}

INSTANTIATE_TEST_SUITE_P(Blocks, LayoutBlock,
                         ::testing::Values(TBlockCase{K8, 0, 5.13, 1.19, "4dat", 5.13, 1.19},
                                           TBlockCase{K10, 0, 7.76, 1.39, "4adat", 7.79, 1.35},
                                           TBlockCase{K10, 1, 7.25, 1.39, "8Adat", 7.28, 1.35}));

// Match days 1 and 5 of Klasse8 print the second-game headers but no cells.
TEST(LayoutBlock, OneGameDaysKeepSecondGameHeaders) {
    for (double t : {1.26, 6.42}) {
        const TLayoutPage& page = K8->Pages[0];
        EXPECT_NE(FindItem(page, liText, 4.26, t + 0.20), nullptr) << t;
        for (double row : {0.51, 0.67, 0.83, 0.98})
            EXPECT_EQ(FindItem(page, liDataText, 4.25, t + row), nullptr) << t << " " << row;
    }
}

} // namespace

namespace {

// Every data text reads a field of the layout's field list (letter case
// ignored), and Klasse8 reads no slot or date it does not use.
TEST(LayoutFields, DataTextsReadDeclaredFields) {
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (const TFixtureLayout* layout : {&Klasse8Layout(), &Klasse10Layout()}) {
        std::set<std::string> declared;
        for (const TLayoutField& field : layout->Fields)
            declared.insert(lower(field.Name));
        for (const TLayoutPage& page : layout->Pages)
            for (const TLayoutItem& item : page.Items)
                if (item.Kind == liDataText && item.DataField != DateShortField)
                    EXPECT_TRUE(declared.count(lower(item.DataField)))
                        << layout->Name << " " << item.DataField;
    }
    for (const char* unused : {"5a", "5b", "4adat", "8adat"})
        for (const TLayoutField& field : Klasse8Layout().Fields)
            EXPECT_NE(lower(field.Name), unused);
}

} // namespace
