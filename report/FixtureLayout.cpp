#include "report/FixtureLayout.h"

#include "data/AsciiCase.h"

#include <algorithm>

namespace {

constexpr std::string_view kFooter =
    "Gedruckt mit Staffelplan - Hinweise an staffelplan@example.org";

TLayoutItem Text(double left, double top, double width, std::string text, int size, bool bold,
                 TFontJustify justify = pjLeft) {
    TLayoutItem item;
    item.Kind = liText;
    item.Left = left;
    item.Top = top;
    item.Width = width;
    item.Text = std::move(text);
    item.Font = {"Arial", size, bold};
    item.FontJustify = justify;
    return item;
}

TLayoutItem DataText(double left, double top, double width, std::string field, int size, bool bold,
                     TFontJustify justify = pjLeft) {
    TLayoutItem item = Text(left, top, width, {}, size, bold, justify);
    item.Kind = liDataText;
    item.DataField = std::move(field);
    return item;
}

TLayoutItem Rectangle(double left, double top, double width, double height, int border,
                      TFillStyle fill = fsNone, TRgb color = {255, 255, 255}) {
    TLayoutItem item;
    item.Kind = liRectangle;
    item.Left = left;
    item.Top = top;
    item.Width = width;
    item.Height = height;
    item.BorderWidth = border;
    item.FillStyle = fill;
    item.FillColor = color;
    return item;
}

TLayoutItem HLine(double left, double top, double width, int lineWidth,
                  TLineStyle style = psSolid) {
    TLayoutItem item;
    item.Kind = liHLine;
    item.Left = left;
    item.Top = top;
    item.Width = width;
    item.LineWidth = lineWidth;
    item.LineStyle = style;
    return item;
}

TLayoutItem VLine(double left, double top, double height, int lineWidth) {
    TLayoutItem item;
    item.Kind = liVLine;
    item.Left = left;
    item.Top = top;
    item.Height = height;
    item.LineWidth = lineWidth;
    return item;
}

// The page head of page 1; the two layouts differ only in the tops of the
// second and third line.
void AddHead(TLayoutPage& page, double seasonTop, double dateTop, double classTop) {
    page.Items.push_back(Rectangle(0.50, 0.23, 7.30, 0.40, 1, fsSolid, {192, 192, 192}));
    page.Items.push_back(DataText(1.3394, 0.26, 5.5833, "Ueberschrift", 20, true, pjCenter));
    page.Items.push_back(Text(0.50, seasonTop, 2.40, "Spielplan der Verbandsrunde: ", 12, true));
    page.Items.push_back(DataText(3.00, seasonTop, 1.00, "Jahr", 12, false));
    page.Items.push_back(DataText(6.80, dateTop, 1.00, std::string(DateShortField), 10, false));
    page.Items.push_back(Text(0.50, classTop, 0.80, "Klasse:", 12, true));
    page.Items.push_back(DataText(1.21, classTop, 1.80, "Klasse", 12, false));
    page.Items.push_back(Text(3.40, classTop, 1.20, "Mannschaft:", 12, true));
    page.Items.push_back(DataText(4.51, classTop, 1.80, "Mannschaft", 12, false));
}

void AddFooter(TLayoutPage& page) {
    page.Items.push_back(Text(3.9606, 11.5139, 3.8472, std::string(kFooter), 8, false, pjRight));
}

std::string LowerSlot(TSlotName slot) {
    return AsciiLowered(SlotFieldName(slot));
}

// The date fields as the layouts write them.
std::string DateField(TSpieltagKey day) {
    if (day == TSpieltagKey::k4A)
        return "4adat";
    return SpieltagDateFieldName(day);
}

std::string Title(TSpieltagKey day) {
    switch (day) {
    case TSpieltagKey::k4A:
        return "4a. Spieltag";
    case TSpieltagKey::k8A:
        return "8a. Spieltag";
    default:
        return std::string(SpieltagKeyName(day)) + ". Spieltag";
    }
}

struct TBlockGeometry {
    double Height;
    double DividerOffset;
    double DividerHeight;
};

constexpr double kRowOffsets[] = {0.51, 0.67, 0.83, 0.98, 1.14};

void AddBlock(TLayoutPage& page, const TMatchDayPairings& day, const TBlockGeometry& g) {
    const double t = day.Top;
    page.Items.push_back(Rectangle(0.40, t, 7.40, g.Height, 3));
    page.Items.push_back(Text(0.50, t + 0.02, 0.90, Title(day.Day), 10, true));
    page.Items.push_back(DataText(1.40, t + 0.02, 1.20, DateField(day.Day), 10, true));
    page.Items.push_back(HLine(0.40, t + 0.20, 7.40, 2));
    page.Items.push_back(Text(0.50, t + 0.20, 1.10, "1. Spiel 15 Uhr", 10, false));
    page.Items.push_back(Text(4.26, t + 0.20, 1.10, "2. Spiel 19 Uhr", 10, false));
    page.Items.push_back(Text(0.50, t + 0.34, 0.90, "heim", 10, false));
    page.Items.push_back(Text(2.29, t + 0.34, 0.90, "ausw\xE4rts", 10, false));
    page.Items.push_back(Text(4.26, t + 0.34, 0.90, "heim", 10, false));
    page.Items.push_back(Text(6.04, t + 0.34, 0.90, "ausw\xE4rts", 10, false));
    page.Items.push_back(HLine(0.40, t + 0.50, 7.40, 1, psDash));
    auto addCells = [&](const std::vector<std::optional<TPairing>>& rows, double homeLeft,
                        double awayLeft) {
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (!rows[row])
                continue;
            const double top = t + kRowOffsets[row];
            page.Items.push_back(
                DataText(homeLeft, top, 1.67, LowerSlot(rows[row]->Home), 10, false));
            page.Items.push_back(
                DataText(awayLeft, top, 1.67, LowerSlot(rows[row]->Away), 10, false));
        }
    };
    addCells(day.FirstGame, 0.50, 2.29);
    addCells(day.SecondGame, 4.25, 6.04);
    page.Items.push_back(VLine(4.14, t + g.DividerOffset, g.DividerHeight, 2));
}

TSlotName ParseSlot(std::string_view text) {
    const int pair = text[0] - '1';
    const int side = text[1] == 'B' ? 1 : 0;
    return static_cast<TSlotName>(pair * 2 + side);
}

// "1A-1B 2A-2B ..." (rows in order); "" is a block without that game.
std::vector<std::optional<TPairing>> ParseRows(std::string_view rows) {
    std::vector<std::optional<TPairing>> result;
    for (std::size_t pos = 0; pos + 5 <= rows.size(); pos += 6)
        result.push_back(
            TPairing{ParseSlot(rows.substr(pos, 2)), ParseSlot(rows.substr(pos + 3, 2))});
    return result;
}

struct TDayRow {
    TSpieltagKey Day;
    std::string_view First;
    std::string_view Second;
};

TMatchDayPairings Pairings(const TDayRow& row, int page, double top, std::size_t rowCount) {
    TMatchDayPairings day;
    day.Day = row.Day;
    day.Page = page;
    day.Top = top;
    day.FirstGame = ParseRows(row.First);
    day.SecondGame = ParseRows(row.Second);
    day.FirstGame.resize(rowCount);
    day.SecondGame.resize(rowCount);
    return day;
}

// The division record's fields, less the slots and match days a layout lacks.
std::vector<TLayoutField> FieldList(int slots, bool extraDays) {
    std::vector<std::string> unused;
    for (int s = slots; s < SlotCount; ++s)
        unused.emplace_back(SlotFieldName(static_cast<TSlotName>(s)));
    if (!extraDays)
        for (TSpieltagKey day : {TSpieltagKey::k4A, TSpieltagKey::k8A})
            unused.push_back(SpieltagDateFieldName(day));
    std::vector<TLayoutField> fields;
    for (const TRecordFieldSpec& field : StaffelRecordFields())
        if (std::find(unused.begin(), unused.end(), field.Name) == unused.end())
            fields.push_back({std::string(field.Name), LayoutDataTypeOf(field.Type)});
    return fields;
}

using K = TSpieltagKey;

TFixtureLayout MakeKlasse8() {
    static constexpr TDayRow kDays[] = {
        {K::k1, "1A-1B 2A-2B 3A-3B 4A-4B", ""},
        {K::k2, "2B-3B 2A-3A 1B-4B 1A-4A", "2B-3A 2A-3B 1B-4A 1A-4B"},
        {K::k3, "4B-2B 4A-2A 3B-1B 3A-1A", "4B-2A 4A-2B 3B-1A 3A-1B"},
        {K::k4, "4B-3B 4A-3A 2B-1B 2A-1A", "4B-3A 2B-1A 2A-1B 4A-3B"},
        {K::k5, "4B-4A 3B-3A 2B-2A 1B-1A", ""},
        {K::k6, "4B-1A 4A-1B 3B-2A 3A-2B", "4B-1B 4A-1A 3B-2B 3A-2A"},
        {K::k7, "2B-4A 2A-4B 1B-3A 1A-3B", "2B-4B 2A-4A 1B-3B 1A-3A"},
        {K::k8, "3B-4A 3A-4B 1B-2A 1A-2B", "3B-4B 3A-4A 1B-2B 1A-2A"},
    };
    TFixtureLayout layout;
    layout.Name = "Klasse8";
    layout.Fields = FieldList(8, false);
    layout.Pages.resize(1);
    AddHead(layout.Pages[0], 0.71, 0.70, 0.93);
    const TBlockGeometry geometry{1.19, 0.0, 1.19};
    for (std::size_t i = 0; i < std::size(kDays); ++i) {
        layout.MatchDays.push_back(Pairings(kDays[i], 0, 1.26 + 1.29 * static_cast<double>(i), 4));
        AddBlock(layout.Pages[0], layout.MatchDays.back(), geometry);
    }
    AddFooter(layout.Pages[0]);
    return layout;
}

TFixtureLayout MakeKlasse10() {
    static constexpr TDayRow kDays[] = {
        {K::k1, "1A-3A 1B-3B 2A-5A 2B-5B 4A-4B", "1A-3B 1B-3A 2A-5B 2B-5A"},
        {K::k2, "1A-4A 1B-4B 2A-3A 2B-3B 5A-5B", "1A-4B 1B-4A 2A-3B 2B-3A"},
        {K::k3, "3A-5A 3B-5B 4A-2A 4B-2B 1A-1B", "3A-5B 3B-5A 4A-2B 4B-2A"},
        {K::k4, "2A-1A 2B-1B 4A-5A 4B-5B 3A-3B", "2A-1B 2B-1A 4A-5B 4B-5A"},
        {K::k4A, "1A-5A 1B-5B 3A-4A 3B-4B 2A-2B", "1A-5B 1B-5A 3A-4B 3B-4A"},
        {K::k5, "3A-1B 3B-1A 5A-2B 5B-2A 4B-4A", "3A-1A 3B-1B 5A-2A 5B-2B"},
        {K::k6, "3A-2B 3B-2A 4A-1B 4B-1A 5B-5A", "3A-2A 3B-2B 4A-1A 4B-1B"},
        {K::k7, "2A-4B 2B-4A 5A-3B 5B-3A 1B-1A", "2A-4A 2B-4B 5A-3A 5B-3B"},
        {K::k8, "1A-2B 1B-2A 5A-4B 5B-4A 3B-3A", "1A-2A 1B-2B 5A-4A 5B-4B"},
        {K::k8A, "4A-3B 4B-3A 5A-1B 5B-1A 2B-2A", "4A-3A 4B-3B 5A-1A 5B-1B"},
    };
    static constexpr double kTops[2][5] = {{1.55, 3.09, 4.64, 6.19, 7.76},
                                           {1.09, 2.62, 4.15, 5.70, 7.25}};
    TFixtureLayout layout;
    layout.Name = "Klasse10";
    layout.Fields = FieldList(10, true);
    layout.Pages.resize(2);
    AddHead(layout.Pages[0], 0.75, 0.74, 0.97);
    const TBlockGeometry geometry{1.39, 0.03, 1.35};
    for (int i = 0; i < 10; ++i) {
        const int page = i / 5;
        layout.MatchDays.push_back(Pairings(kDays[i], page, kTops[page][i % 5], 5));
        AddBlock(layout.Pages[page], layout.MatchDays.back(), geometry);
    }
    AddFooter(layout.Pages[0]);
    return layout;
}

} // namespace

TLayoutDataType LayoutDataTypeOf(TColumnType type) {
    switch (type) {
    case ctInteger:
        return dtInteger;
    case ctBoolean:
        return dtBoolean;
    case ctDate:
        return dtDate;
    case ctText:
        break;
    }
    return dtString;
}

const TFixtureLayout& Klasse8Layout() {
    static const TFixtureLayout layout = MakeKlasse8();
    return layout;
}

const TFixtureLayout& Klasse10Layout() {
    static const TFixtureLayout layout = MakeKlasse10();
    return layout;
}

const TFixtureLayout& LayoutFor(bool tenTeams) {
    return tenTeams ? Klasse10Layout() : Klasse8Layout();
}

const TFixtureLayout* FindLayout(std::string_view name) {
    for (const TFixtureLayout* layout : {&Klasse8Layout(), &Klasse10Layout()})
        if (EqualsIgnoringCase(layout->Name, name))
            return layout;
    return nullptr;
}
