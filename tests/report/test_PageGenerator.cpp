// Pages generated from a division row: values as text, blank cells,
// shortening, the type check and the progress callback.
#include "FakeMeasure.h"
#include "data/Records.h"
#include "data/StaffelError.h"
#include "report/DivisionValues.h"
#include "report/PageGenerator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const TDaySerial kOutputDay = *DayFromCivil(2026, 12, 9);

void DefineStaffel(TRecordTable& table) {
    DefineFields(table, StaffelRecordFields());
    table.CreateEmpty();
    table.OnNewRecord = t_staffelNewRecord;
}

void AppendDivision(TRecordTable& table, bool tenTeams, const std::string& suffix = "") {
    table.Append();
    table.Field("Ueberschrift").SetAsText("Badminton" + suffix);
    table.Field("Klasse").SetAsText("Bezirksliga" + suffix);
    table.Field("Jahr").SetAsInteger(2009);
    table.Field("10Klasse").SetAsBoolean(tenTeams);
    table.Field("Mannschaft").SetAsText("TV Musterstadt");
    for (int s = 0; s < SlotCount; ++s) {
        const std::string slot(SlotFieldName(static_cast<TSlotName>(s)));
        table.Field(slot).SetAsText("Team " + slot + suffix);
    }
    for (int d = 0; d < SpieltagCount; ++d)
        table.Field(SpieltagDateFieldName(static_cast<TSpieltagKey>(d)))
            .SetAsDateTime(*DayFromCivil(2009, 9, 1 + d));
    table.Post();
}

const TPageItem* TextAt(const TReportPage& page, double left, double top) {
    for (const TPageItem& item : page.Items)
        if (item.Kind == piText && std::abs(item.Left - left) < 1e-6 &&
            std::abs(item.Top - top) < 1e-6)
            return &item;
    return nullptr;
}

std::string TextOrBlank(const TReportPage& page, double left, double top) {
    const TPageItem* item = TextAt(page, left, top);
    return item ? item->Text : "<blank>";
}

struct TGenerated {
    TGenerateResult Result;
    bool Begun = false;
};

TGenerated Generate(TRecordTable& table, const TFixtureLayout& layout,
                    const TPageProgress& progress = {}) {
    TFakeMeasure measure;
    TReportBinding binding(table, layout, TRegionalSettings::German());
    TGenerated out;
    out.Result =
        GeneratePages(layout, binding, TRegionalSettings::German(), kOutputDay, measure, progress);
    out.Begun = binding.Begun();
    binding.End();
    return out;
}

TEST(PageGenerator, ValuesAsText) {
    TRecordTable table("t_staffel");
    DefineStaffel(table);
    AppendDivision(table, true);
    const TGenerated g = Generate(table, Klasse10Layout());
    ASSERT_EQ(g.Result.Pages.Pages.size(), 2u);
    const TReportPage& p1 = g.Result.Pages.Pages[0];
    const TReportPage& p2 = g.Result.Pages.Pages[1];
    const struct {
        const TReportPage* Page;
        double Left, Top;
        std::string Expected;
    } cases[] = {
        {&p1, 1.3394, 0.26, "Badminton"},       {&p1, 3.00, 0.75, "2009"},
        {&p1, 6.80, 0.74, "09.12.2026"},        {&p1, 1.21, 0.97, "Bezirksliga"},
        {&p1, 4.51, 0.97, "TV Musterstadt"},    {&p1, 1.40, 1.55 + 0.02, "01.09.2009"}, // 1dat
        {&p1, 1.40, 7.76 + 0.02, "09.09.2009"}, // 4adat shows 4Adat
        {&p2, 1.40, 7.25 + 0.02, "10.09.2009"}, // 8Adat
        {&p1, 0.50, 1.55 + 0.51, "Team 1A"},    // 1a shows 1A
        {&p1, 6.04, 1.55 + 0.98, "Team 5A"},    // day 1, row 4, 2nd game away
        {&p2, 0.50, 7.25 + 1.14, "Team 2B"},    // day 8A, row 5
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextOrBlank(*c.Page, c.Left, c.Top), c.Expected) << c.Left << "," << c.Top;
    EXPECT_EQ(g.Result.Pages.Title, "Bezirksliga 2009");
}

// The title print queues and PDF viewers show names the division (UTF-8),
// whatever the layout.
TEST(PageGenerator, TitleNamesTheDivision) {
    TRecordTable table("t_staffel");
    DefineStaffel(table);
    EXPECT_EQ(Generate(table, Klasse8Layout()).Result.Pages.Title, "");
    AppendDivision(table, false);
    table.Edit();
    table.Field("Klasse").SetAsText("Bezirksliga S\xFC"
                                    "d");
    table.Post();
    EXPECT_EQ(Generate(table, Klasse8Layout()).Result.Pages.Title, "Bezirksliga S\xC3\xBC"
                                                                   "d 2009");
    const struct {
        std::string Klasse, Jahr, Title;
    } parts[] = {{" Kreisliga ", "2026", "Kreisliga 2026"},
                 {"", "2026", "2026"},
                 {"Kreisliga", "", "Kreisliga"},
                 {"", "", ""}};
    for (const auto& p : parts)
        EXPECT_EQ(DivisionTitleUtf8(p.Klasse, p.Jahr), p.Title) << p.Klasse << "|" << p.Jahr;
}

// An empty slot or date leaves its cell blank; every fixed text, line and
// frame is still there.
TEST(PageGenerator, EmptyFieldsLeaveBlankCells) {
    TRecordTable table("t_staffel");
    DefineStaffel(table);
    AppendDivision(table, false);
    table.Edit();
    table.Field("2B").Clear();
    table.Field("3dat").Clear();
    table.Post();
    const TGenerated g = Generate(table, Klasse8Layout());
    const TReportPage& page = g.Result.Pages.Pages.at(0);
    EXPECT_EQ(TextOrBlank(page, 2.29, 1.26 + 0.67), "<blank>"); // day 1 row 2 away: 2B
    EXPECT_EQ(TextOrBlank(page, 0.50, 1.26 + 0.67), "Team 2A");
    EXPECT_EQ(TextOrBlank(page, 1.40, 3.84 + 0.02), "<blank>");
    std::size_t fixed = 0;
    for (const TLayoutItem& item : Klasse8Layout().Pages[0].Items)
        fixed += item.Kind != liDataText;
    std::size_t dataTexts = Klasse8Layout().Pages[0].Items.size() - fixed;
    const std::size_t blanks = 14 + 1; // the 14 games of 2B, one date
    EXPECT_EQ(page.Items.size(), fixed + dataTexts - blanks);
}

TEST(PageGenerator, EmptyTablePrintsOnlyFixedItemsAndDate) {
    TRecordTable table("t_staffel");
    DefineStaffel(table);
    const TGenerated g = Generate(table, Klasse8Layout());
    ASSERT_EQ(g.Result.Pages.Pages.size(), 1u);
    std::size_t fixed = 0;
    for (const TLayoutItem& item : Klasse8Layout().Pages[0].Items)
        fixed += item.Kind != liDataText;
    const TReportPage& page = g.Result.Pages.Pages[0];
    EXPECT_EQ(page.Items.size(), fixed + 1);
    EXPECT_EQ(TextOrBlank(page, 6.80, 0.70), "09.12.2026");
    EXPECT_TRUE(g.Begun);
}

// Fake widths: 0.01 inch per point and character, bold 10 % wider.
TEST(PageGenerator, LongTextsAreShortenedToTheirWidth) {
    const struct {
        std::string Field;
        double Left, Top;
        std::string Value, Expected;
    } cases[] = {
        // 1.67 / 0.10 -> 16 characters of Arial 10
        {"1A", 0.50, 1.26 + 0.51, "Spielgemeinschaft Nord", "Spielgemeinschaf"},
        {"1A", 0.50, 1.26 + 0.51, "Exactly sixteen!", "Exactly sixteen!"},
        // 5.5833 / 0.22 -> 25 characters of Arial 20 bold
        {"Ueberschrift", 1.3394, 0.26, "Badminton Verbandsrunde Nordwest",
         "Badminton Verbandsrunde N"},
    };
    for (const auto& c : cases) {
        TRecordTable table("t_staffel");
        DefineStaffel(table);
        AppendDivision(table, false);
        table.Edit();
        table.Field(c.Field).SetAsText(c.Value);
        table.Post();
        const TGenerated g = Generate(table, Klasse8Layout());
        EXPECT_EQ(TextOrBlank(g.Result.Pages.Pages.at(0), c.Left, c.Top), c.Expected) << c.Value;
    }
    TFakeMeasure measure;
    EXPECT_EQ(FitToWidth("abc", 0.0, {"Arial", 10, false}, measure), "");
}

TEST(PageGenerator, FieldOfAnotherTypeStopsTheRun) {
    const struct {
        TColumnType Type;
        std::string Expected;
    } cases[] = {
        {ctText, "Field DataView1:Jahr.  Datatype expected: dtInteger  Datatype found: dtString"},
        {ctDate, "Field DataView1:Jahr.  Datatype expected: dtInteger  Datatype found: dtDate"},
    };
    for (const auto& c : cases) {
        TRecordTable table("t_staffel");
        for (const TRecordFieldSpec& f : StaffelRecordFields())
            table.DefineField(std::string(f.Name), f.Name == "Jahr" ? c.Type : f.Type,
                              f.Name == "Jahr" && c.Type == ctText ? 10 : f.Width, false);
        table.CreateEmpty();
        TFakeMeasure measure;
        TReportBinding binding(table, Klasse8Layout(), TRegionalSettings::German());
        try {
            GeneratePages(Klasse8Layout(), binding, TRegionalSettings::German(), kOutputDay,
                          measure);
            ADD_FAILURE() << "no error for " << c.Expected;
        } catch (const TStaffelError& e) {
            EXPECT_EQ(std::string(e.what()), c.Expected);
        }
        EXPECT_TRUE(binding.Begun()) << "the end of the binding must still run";
        binding.End();
    }
}

TEST(PageGenerator, ProgressPerPageCanCancel) {
    TRecordTable table("t_staffel");
    DefineStaffel(table);
    AppendDivision(table, true);
    std::vector<int> seen;
    const TGenerated all = Generate(table, Klasse10Layout(), [&](int page) {
        seen.push_back(page);
        return true;
    });
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    EXPECT_FALSE(all.Result.Cancelled);

    const TGenerated cancelled =
        Generate(table, Klasse10Layout(), [](int page) { return page < 2; });
    EXPECT_TRUE(cancelled.Result.Cancelled);
    EXPECT_TRUE(cancelled.Result.Pages.Pages.empty());

    const TGenerated early = Generate(table, Klasse10Layout(), [](int) { return false; });
    EXPECT_TRUE(early.Result.Cancelled);
    EXPECT_FALSE(early.Begun) << "nothing was read, so the table was not touched";
}

} // namespace
