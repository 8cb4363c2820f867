#pragma once
// The two built-in fixture layouts, Klasse8 and Klasse10, as data.
#include "data/Records.h"
#include "report/Pages.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum TLayoutItemKind : std::uint8_t { liText, liDataText, liRectangle, liHLine, liVLine };

struct TLayoutItem {
    TLayoutItemKind Kind = liText;
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    std::string Text;      // liText, Windows-1252
    std::string DataField; // liDataText: a field name (any letter case) or "Report.DateShort"
    TPageFont Font;
    TFontJustify FontJustify = pjLeft;
    int BorderWidth = 0; // liRectangle, device pixels
    TFillStyle FillStyle = fsNone;
    TRgb FillColor{255, 255, 255};
    int LineWidth = 0; // liHLine, liVLine, device pixels
    TLineStyle LineStyle = psSolid;
};

struct TLayoutPage {
    std::vector<TLayoutItem> Items; // drawing order
};

// The types the layouts' field list expects.
enum TLayoutDataType : std::uint8_t { dtString, dtInteger, dtBoolean, dtDate };

struct TLayoutField {
    std::string Name;
    TLayoutDataType Type = dtString;
};

// The layout type a record column of this type reads as.
TLayoutDataType LayoutDataTypeOf(TColumnType type);

struct TPairing {
    TSlotName Home;
    TSlotName Away;
};

// One match day's pairing table: rows of the first (15 Uhr) and second
// (19 Uhr) game; an empty optional is a cell without a game.
struct TMatchDayPairings {
    TSpieltagKey Day = TSpieltagKey::k1;
    int Page = 0;   // 0-based
    double Top = 0; // the block's top edge
    std::vector<std::optional<TPairing>> FirstGame;
    std::vector<std::optional<TPairing>> SecondGame;
};

struct TFixtureLayout {
    std::string Name;
    std::string FieldListName = "DataView1";
    std::vector<TLayoutField> Fields;         // what the data texts read, with their types
    std::vector<TLayoutPage> Pages;           // print order
    std::vector<TMatchDayPairings> MatchDays; // print order
    double PageWidth = A4WidthInches;
    double PageHeight = A4HeightInches;
    int PaperSize = A4PaperSize;
};

inline constexpr std::string_view DateShortField = "Report.DateShort";

const TFixtureLayout& Klasse8Layout();
const TFixtureLayout& Klasse10Layout();
// Klasse10 for a 10-team division, else Klasse8.
const TFixtureLayout& LayoutFor(bool tenTeams);
// Letter case ignored; nullptr when no layout has that name.
const TFixtureLayout* FindLayout(std::string_view name);
