#pragma once
// Filling one page of the season's own A4 pages (club plans, tables):
// texts shortened to their span, full-width rules, the grey heading box.
#include "report/PageGenerator.h"
#include "report/Pages.h"
#include "report/TextMeasure.h"

#include <string>

// The fonts of those pages.
inline const TPageFont kTitleFont{"Arial", 20, true};
inline const TPageFont kLabelFont{"Arial", 12, true};
inline const TPageFont kTextFont{"Arial", 12, false};
inline const TPageFont kCellFont{"Arial", 10, false};
inline const TPageFont kCellBold{"Arial", 10, true};
inline const TPageFont kFootFont{"Arial", 8, false};

struct TPageWriter {
    const TTextMeasure& Measure;
    TReportPage Page;
    double Left = 0.50; // of the rules and the heading box
    double Width = 7.30;

    void Text(std::string text, double left, double top, double width, const TPageFont& font,
              TFontJustify justify = pjLeft) {
        text = FitToWidth(std::move(text), width, font, Measure);
        if (text.empty())
            return;
        TPageItem item;
        item.Kind = piText;
        item.Left = left;
        item.Top = top;
        item.Width = width;
        item.Text = std::move(text);
        item.Font = font;
        item.Justify = justify;
        Page.Items.push_back(std::move(item));
    }
    void HLine(double top, int width, TLineStyle style = psSolid) {
        TPageItem item;
        item.Kind = piHLine;
        item.Left = Left;
        item.Top = top;
        item.Width = Width;
        item.LineWidth = width;
        item.LineStyle = style;
        Page.Items.push_back(std::move(item));
    }
    void GreyBox(double top, double height) {
        TPageItem box;
        box.Kind = piRectangle;
        box.Left = Left;
        box.Top = top;
        box.Width = Width;
        box.Height = height;
        box.LineWidth = 1;
        box.FillStyle = fsSolid;
        box.FillColor = {192, 192, 192};
        Page.Items.push_back(std::move(box));
    }
};
