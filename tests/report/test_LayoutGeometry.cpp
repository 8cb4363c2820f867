// How the layouts' pages hang together: everything on the paper, the head
// above the blocks, each block's items inside its frame, the divider between
// the two games, column heads between the block's lines, cells below them.
#include "data/AsciiCase.h"
#include "report/FixtureLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

namespace {

constexpr double Eps = 1e-9;

const TFixtureLayout* const Layouts[] = {&Klasse8Layout(), &Klasse10Layout()};

bool IsText(const TLayoutItem& item) {
    return item.Kind == liText || item.Kind == liDataText;
}

bool IsFrame(const TLayoutItem& item) {
    return item.Kind == liRectangle && item.BorderWidth == 3;
}

double Right(const TLayoutItem& item) {
    return item.Left + item.Width;
}

// A text's line box ends one line height below its top.
double Bottom(const TLayoutItem& item) {
    return item.Top + (IsText(item) ? LineHeight(item.Font) : item.Height);
}

std::string Describe(const TLayoutItem& item) {
    std::ostringstream out;
    out << (item.Kind == liDataText ? item.DataField : item.Text) << " kind " << int(item.Kind)
        << " at (" << item.Left << ", " << item.Top << ")";
    return out.str();
}

std::vector<const TLayoutItem*> Frames(const TLayoutPage& page) {
    std::vector<const TLayoutItem*> frames;
    for (const TLayoutItem& item : page.Items)
        if (IsFrame(item))
            frames.push_back(&item);
    return frames;
}

// The items whose top lies within the frame, the frame itself left out.
std::vector<const TLayoutItem*> ItemsOf(const TLayoutPage& page, const TLayoutItem& frame) {
    std::vector<const TLayoutItem*> items;
    for (const TLayoutItem& item : page.Items)
        if (&item != &frame && item.Top >= frame.Top - Eps && item.Top < Bottom(frame))
            items.push_back(&item);
    return items;
}

const TLayoutItem* Divider(const std::vector<const TLayoutItem*>& items) {
    for (const TLayoutItem* item : items)
        if (item->Kind == liVLine)
            return item;
    return nullptr;
}

TEST(LayoutPages, EveryItemLiesOnThePaper) {
    for (const TFixtureLayout* layout : Layouts)
        for (const TLayoutPage& page : layout->Pages)
            for (const TLayoutItem& item : page.Items) {
                EXPECT_GE(item.Left, 0) << layout->Name << " " << Describe(item);
                EXPECT_GE(item.Top, 0) << layout->Name << " " << Describe(item);
                EXPECT_LE(Right(item), layout->PageWidth) << layout->Name << " " << Describe(item);
                EXPECT_LE(Bottom(item), layout->PageHeight)
                    << layout->Name << " " << Describe(item);
            }
}

// Blocks follow the match days' print order down each page without
// touching, and the page's other items are the head above them (page 1)
// and the footer below.
TEST(LayoutPages, BlocksInPrintOrderWithHeadAboveAndFooterBelow) {
    for (const TFixtureLayout* layout : Layouts) {
        std::size_t day = 0;
        for (std::size_t p = 0; p < layout->Pages.size(); ++p) {
            const TLayoutPage& page = layout->Pages[p];
            const auto frames = Frames(page);
            ASSERT_FALSE(frames.empty()) << layout->Name << " page " << p + 1;
            for (std::size_t f = 0; f < frames.size(); ++f, ++day) {
                ASSERT_LT(day, layout->MatchDays.size()) << layout->Name;
                EXPECT_EQ(layout->MatchDays[day].Page, static_cast<int>(p));
                EXPECT_DOUBLE_EQ(layout->MatchDays[day].Top, frames[f]->Top) << layout->Name;
                if (f > 0) {
                    EXPECT_LT(Bottom(*frames[f - 1]), frames[f]->Top)
                        << layout->Name << " page " << p + 1 << " block " << f + 1;
                }
            }
            for (const TLayoutItem& item : page.Items) {
                const bool inBlock = std::any_of(frames.begin(), frames.end(), [&](auto* frame) {
                    return item.Top >= frame->Top - Eps && item.Top < Bottom(*frame);
                });
                const bool head = p == 0 && Bottom(item) < frames.front()->Top;
                const bool footer = p == 0 && item.Top > Bottom(*frames.back()) &&
                                    item.Kind == liText && item.FontJustify == pjRight;
                EXPECT_TRUE(inBlock || head || footer) << layout->Name << " " << Describe(item);
                if (p > 0) {
                    EXPECT_TRUE(inBlock) << layout->Name << " page 2 " << Describe(item);
                }
            }
        }
        EXPECT_EQ(day, layout->MatchDays.size()) << layout->Name;
    }
}

TEST(LayoutBlocks, ItemsStayInsideTheirFrame) {
    for (const TFixtureLayout* layout : Layouts)
        for (const TLayoutPage& page : layout->Pages)
            for (const TLayoutItem* frame : Frames(page))
                for (const TLayoutItem* item : ItemsOf(page, *frame)) {
                    EXPECT_GE(item->Left, frame->Left - Eps) << layout->Name << Describe(*item);
                    EXPECT_LE(Right(*item), Right(*frame) + Eps) << layout->Name << Describe(*item);
                    EXPECT_LE(Bottom(*item), Bottom(*frame) + Eps)
                        << layout->Name << Describe(*item);
                }
}

// The divider runs down the frame between the games: no text crosses it,
// the first game's texts stand left of it and the second game's right.
TEST(LayoutBlocks, DividerSeparatesTheGames) {
    for (const TFixtureLayout* layout : Layouts)
        for (const TMatchDayPairings& day : layout->MatchDays) {
            const TLayoutPage& page = layout->Pages[day.Page];
            const auto frames = Frames(page);
            const auto frame = std::find_if(frames.begin(), frames.end(),
                                            [&](auto* f) { return f->Top == day.Top; });
            ASSERT_NE(frame, frames.end()) << layout->Name << " " << SpieltagKeyName(day.Day);
            const auto items = ItemsOf(page, **frame);
            const TLayoutItem* divider = Divider(items);
            ASSERT_NE(divider, nullptr) << layout->Name << " " << SpieltagKeyName(day.Day);
            EXPECT_GE(Bottom(*divider) - divider->Top, 0.95 * (*frame)->Height);
            int cellsLeft = 0, cellsRight = 0;
            for (const TLayoutItem* item : items) {
                if (!IsText(*item))
                    continue;
                EXPECT_TRUE(Right(*item) < divider->Left || item->Left > divider->Left)
                    << layout->Name << " " << Describe(*item);
                if (item->Kind == liDataText && item->Width == 1.67)
                    ++(item->Left < divider->Left ? cellsLeft : cellsRight);
                if (item->Text == "1. Spiel 15 Uhr") {
                    EXPECT_LT(item->Left, divider->Left) << layout->Name;
                }
                if (item->Text == "2. Spiel 19 Uhr") {
                    EXPECT_GT(item->Left, divider->Left) << layout->Name;
                }
            }
            auto games = [](const std::vector<std::optional<TPairing>>& rows) {
                return 2 *
                       static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                                      [](const auto& r) { return r.has_value(); }));
            };
            EXPECT_EQ(cellsLeft, games(day.FirstGame)) << SpieltagKeyName(day.Day);
            EXPECT_EQ(cellsRight, games(day.SecondGame)) << SpieltagKeyName(day.Day);
        }
}

// Top to bottom: title and date, the solid line, the game heads and column
// heads, the dashed line, the cells; a column head stands over its cells.
// A block without second games (Klasse8, days 1 and 5) keeps its heads.
TEST(LayoutBlocks, LinesSeparateTitleHeadsAndCells) {
    for (const TFixtureLayout* layout : Layouts)
        for (const TMatchDayPairings& day : layout->MatchDays) {
            const TLayoutPage& page = layout->Pages[day.Page];
            const auto frames = Frames(page);
            const auto frame = *std::find_if(frames.begin(), frames.end(),
                                             [&](auto* f) { return f->Top == day.Top; });
            const std::string where = layout->Name + " " + std::string(SpieltagKeyName(day.Day));
            double solid = -1, dashed = -1;
            const TLayoutItem *title = nullptr, *date = nullptr;
            std::vector<const TLayoutItem*> heads, cells;
            for (const TLayoutItem* item : ItemsOf(page, *frame)) {
                if (item->Kind == liHLine)
                    (item->LineStyle == psDash ? dashed : solid) = item->Top;
                if (item->Kind == liText && item->Text.ends_with("Spieltag"))
                    title = item;
                else if (item->Kind == liText)
                    heads.push_back(item);
                if (item->Kind == liDataText && item->Width == 1.67)
                    cells.push_back(item);
                else if (item->Kind == liDataText)
                    date = item;
            }
            ASSERT_TRUE(title && date && solid > 0 && dashed > solid) << where;
            EXPECT_TRUE(EqualsIgnoringCase(date->DataField, SpieltagDateFieldName(day.Day)))
                << where << " " << date->DataField;
            EXPECT_DOUBLE_EQ(title->Top, date->Top) << where;
            EXPECT_LE(Right(*title), date->Left) << where;
            EXPECT_LE(Bottom(*title), solid + Eps) << where;
            EXPECT_EQ(heads.size(), 6u) << where; // two game heads, four column heads
            std::set<long> columns;
            for (const TLayoutItem* head : heads) {
                EXPECT_GE(head->Top, solid - Eps) << where << " " << head->Text;
                EXPECT_LT(head->Top, dashed) << where << " " << head->Text;
                if (head->Text == "heim" || head->Text == "ausw\xE4rts")
                    columns.insert(std::lround(head->Left * 10));
            }
            EXPECT_EQ(columns.size(), 4u) << where;
            for (const TLayoutItem* cell : cells) {
                EXPECT_GE(cell->Top, dashed) << where << " " << cell->DataField;
                EXPECT_TRUE(columns.count(std::lround(cell->Left * 10)))
                    << where << " " << cell->DataField << " under no column head";
            }
        }
}

// Each label stands on its value's line, ends before it, bold against the
// value's regular face; the head's lines do not overlap one another.
TEST(LayoutHead, LabelsBeforeTheirValuesOnOneLine) {
    const std::pair<const char*, const char*> pairs[] = {{"Spielplan der Verbandsrunde: ", "Jahr"},
                                                         {"Klasse:", "Klasse"},
                                                         {"Mannschaft:", "Mannschaft"}};
    for (const TFixtureLayout* layout : Layouts) {
        const auto& items = layout->Pages[0].Items;
        auto find = [&](bool data, std::string_view content) -> const TLayoutItem* {
            for (const TLayoutItem& item : items)
                if ((data ? item.DataField : item.Text) == content &&
                    item.Kind == (data ? liDataText : liText))
                    return &item;
            return nullptr;
        };
        for (const auto& [label, field] : pairs) {
            const TLayoutItem* l = find(false, label);
            const TLayoutItem* v = find(true, field);
            ASSERT_TRUE(l && v) << layout->Name << " " << label;
            EXPECT_DOUBLE_EQ(l->Top, v->Top) << layout->Name << " " << label;
            EXPECT_LT(l->Left, v->Left) << layout->Name << " " << label;
            EXPECT_TRUE(l->Font.Bold && !v->Font.Bold) << layout->Name << " " << label;
            EXPECT_EQ(l->Font.Size, v->Font.Size) << layout->Name << " " << label;
        }
        const TLayoutItem* season = find(true, "Jahr");
        const TLayoutItem* klasse = find(true, "Klasse");
        const TLayoutItem* date = find(true, std::string(DateShortField));
        ASSERT_TRUE(season && klasse && date) << layout->Name;
        EXPECT_LE(Bottom(*season), klasse->Top) << layout->Name;
        EXPECT_LE(Right(*season), date->Left) << layout->Name << " date right of the season";
        EXPECT_LE(Bottom(*date), klasse->Top) << layout->Name;
    }
}

// The heading is centred on the paper inside its grey box; the box, the
// frames and the right-justified footer end at one right edge.
TEST(LayoutHead, HeadingCentredFooterFlushWithTheFrames) {
    for (const TFixtureLayout* layout : Layouts) {
        const auto& items = layout->Pages[0].Items;
        ASSERT_GE(items.size(), 2u);
        const TLayoutItem& box = items[0];
        const TLayoutItem& heading = items[1]; // drawn over the box
        EXPECT_EQ(box.Kind, liRectangle) << layout->Name;
        EXPECT_EQ(box.FillStyle, fsSolid);
        EXPECT_EQ(box.FillColor, (TRgb{192, 192, 192}));
        EXPECT_EQ(heading.DataField, "Ueberschrift") << layout->Name;
        EXPECT_EQ(heading.FontJustify, pjCenter);
        EXPECT_NEAR(heading.Left + heading.Width / 2, layout->PageWidth / 2, 0.01);
        EXPECT_GE(heading.Left, box.Left);
        EXPECT_LE(Right(heading), Right(box));
        EXPECT_GE(heading.Top, box.Top);
        EXPECT_LE(Bottom(heading), Bottom(box));
        const TLayoutItem& footer = items.back();
        EXPECT_EQ(footer.FontJustify, pjRight) << layout->Name;
        for (const TLayoutItem* frame : Frames(layout->Pages[0])) {
            EXPECT_NEAR(Right(box), Right(*frame), 0.01) << layout->Name;
            EXPECT_NEAR(Right(footer), Right(*frame), 0.01) << layout->Name;
        }
    }
}

// The titles in print order: Klasse10 puts 4a and 8a after 4 and 8, five a page.
TEST(LayoutPages, BlockTitlesInPrintOrder) {
    const struct {
        const TFixtureLayout* Layout;
        std::vector<std::vector<std::string>> Pages;
    } cases[] = {
        {&Klasse8Layout(),
         {{"1. Spieltag", "2. Spieltag", "3. Spieltag", "4. Spieltag", "5. Spieltag", "6. Spieltag",
           "7. Spieltag", "8. Spieltag"}}},
        {&Klasse10Layout(),
         {{"1. Spieltag", "2. Spieltag", "3. Spieltag", "4. Spieltag", "4a. Spieltag"},
          {"5. Spieltag", "6. Spieltag", "7. Spieltag", "8. Spieltag", "8a. Spieltag"}}},
    };
    for (const auto& c : cases) {
        std::vector<std::vector<std::string>> found;
        for (const TLayoutPage& page : c.Layout->Pages) {
            std::vector<std::pair<double, std::string>> titles;
            for (const TLayoutItem& item : page.Items)
                if (item.Kind == liText && item.Text.ends_with("Spieltag"))
                    titles.push_back({item.Top, item.Text});
            std::sort(titles.begin(), titles.end());
            found.emplace_back();
            for (const auto& title : titles)
                found.back().push_back(title.second);
        }
        EXPECT_EQ(found, c.Pages) << c.Layout->Name;
    }
}

} // namespace

namespace {

// Every data text reads a field of the layout's field list (letter case
// ignored), and Klasse8 reads no slot or date it does not use.
TEST(LayoutFields, DataTextsReadDeclaredFields) {
    for (const TFixtureLayout* layout : {&Klasse8Layout(), &Klasse10Layout()}) {
        std::set<std::string> declared;
        for (const TLayoutField& field : layout->Fields)
            declared.insert(AsciiLowered(field.Name));
        for (const TLayoutPage& page : layout->Pages)
            for (const TLayoutItem& item : page.Items)
                if (item.Kind == liDataText && item.DataField != DateShortField) {
                    EXPECT_TRUE(declared.count(AsciiLowered(item.DataField)))
                        << layout->Name << " " << item.DataField;
                }
    }
    for (const char* unused : {"5a", "5b", "4adat", "8adat"})
        for (const TLayoutField& field : Klasse8Layout().Fields)
            EXPECT_NE(AsciiLowered(field.Name), unused);
    // Klasse10 declares the whole division record, each field with its type.
    ASSERT_EQ(Klasse10Layout().Fields.size(), StaffelRecordFields().size());
    for (std::size_t i = 0; i < StaffelRecordFields().size(); ++i) {
        const TRecordFieldSpec& spec = StaffelRecordFields()[i];
        EXPECT_EQ(Klasse10Layout().Fields[i].Name, spec.Name);
        EXPECT_EQ(Klasse10Layout().Fields[i].Type, LayoutDataTypeOf(spec.Type)) << spec.Name;
    }
    EXPECT_EQ(Klasse8Layout().Fields.size(), 22u);
}

} // namespace
