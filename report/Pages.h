#pragma once
// The generated pages as plain data: what the preview, the printer, PDF and
// the page-snapshot file all receive. Geometry in inches from the sheet's
// top-left corner; line and frame widths in output-device pixels.
#include <cstdint>
#include <string>
#include <vector>

enum TFontJustify : std::uint8_t { pjLeft, pjCenter, pjRight };
enum TLineStyle : std::uint8_t { psSolid, psDash };
enum TFillStyle : std::uint8_t { fsNone, fsSolid };

struct TRgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

struct TPageFont {
    std::string Face = "Arial";
    int Size = 10; // points
    bool Bold = false;
    friend bool operator==(const TPageFont&, const TPageFont&) = default;
};

// One line of text is Size / 60 inches high.
inline double LineHeight(const TPageFont& font) {
    return font.Size / 60.0;
}

enum TPageItemKind : std::uint8_t { piText, piHLine, piVLine, piRectangle };

struct TPageItem {
    TPageItemKind Kind = piText;
    double Left = 0;
    double Top = 0;
    double Width = 0;  // text span, line length (piHLine), rectangle
    double Height = 0; // line length (piVLine), rectangle
    // piText: Windows-1252, already shortened to its span where it had to be.
    // Placed within Left .. Left + Width by Justify; Top is the top of its line.
    std::string Text;
    TPageFont Font;
    TFontJustify Justify = pjLeft;
    // Lines: LineWidth, LineStyle. Rectangles: LineWidth is the border width.
    int LineWidth = 1;
    TLineStyle LineStyle = psSolid;
    TFillStyle FillStyle = fsNone;
    TRgb FillColor{255, 255, 255};
    friend bool operator==(const TPageItem&, const TPageItem&) = default;
};

inline constexpr double A4WidthInches = 8.2677;
inline constexpr double A4HeightInches = 11.6929;
inline constexpr int A4PaperSize = 9;

struct TReportPage {
    double Width = A4WidthInches;
    double Height = A4HeightInches;
    int PaperSize = A4PaperSize;
    std::vector<TPageItem> Items; // in drawing order
    friend bool operator==(const TReportPage&, const TReportPage&) = default;
};

struct TReportPages {
    std::string Title; // the division, "Bezirksliga 2026"; print jobs show it (UTF-8)
    std::vector<TReportPage> Pages;
    friend bool operator==(const TReportPages&, const TReportPages&) = default;
};
