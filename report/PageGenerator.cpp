#include "report/PageGenerator.h"

#include "report/DivisionValues.h"

#include <cctype>

namespace {

bool IsDateShort(std::string_view field) {
    if (field.size() != DateShortField.size())
        return false;
    for (std::size_t i = 0; i < field.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(field[i])) !=
            std::tolower(static_cast<unsigned char>(DateShortField[i])))
            return false;
    return true;
}

TPageItem TextItem(const TLayoutItem& item, std::string text) {
    TPageItem out;
    out.Kind = piText;
    out.Left = item.Left;
    out.Top = item.Top;
    out.Width = item.Width;
    out.Text = std::move(text);
    out.Font = item.Font;
    out.Justify = item.FontJustify;
    return out;
}

TPageItem ShapeItem(const TLayoutItem& item) {
    TPageItem out;
    out.Left = item.Left;
    out.Top = item.Top;
    out.Width = item.Width;
    out.Height = item.Height;
    switch (item.Kind) {
    case liRectangle:
        out.Kind = piRectangle;
        out.LineWidth = item.BorderWidth;
        out.FillStyle = item.FillStyle;
        out.FillColor = item.FillColor;
        break;
    case liHLine:
        out.Kind = piHLine;
        out.Height = 0;
        out.LineWidth = item.LineWidth;
        out.LineStyle = item.LineStyle;
        break;
    default:
        out.Kind = piVLine;
        out.Width = 0;
        out.LineWidth = item.LineWidth;
        out.LineStyle = item.LineStyle;
        break;
    }
    return out;
}

} // namespace

std::string FitToWidth(std::string text, double width, const TPageFont& font,
                       const TTextMeasure& measure) {
    while (!text.empty() && measure.TextWidth(text, font) > width)
        text.pop_back();
    return text;
}

TGenerateResult GeneratePages(const TFixtureLayout& layout, TReportBinding& binding,
                              const TRegionalSettings& settings, TDaySerial outputDay,
                              const TTextMeasure& measure, const TPageProgress& progress) {
    TGenerateResult result;
    int number = 0;
    for (const TLayoutPage& source : layout.Pages) {
        if (progress && !progress(++number)) {
            result.Pages.Pages.clear();
            result.Cancelled = true;
            return result;
        }
        TReportPage page;
        page.Width = layout.PageWidth;
        page.Height = layout.PageHeight;
        page.PaperSize = layout.PaperSize;
        page.Items.reserve(source.Items.size());
        for (const TLayoutItem& item : source.Items) {
            switch (item.Kind) {
            case liText:
                page.Items.push_back(TextItem(item, item.Text));
                break;
            case liDataText: {
                binding.Begin();
                std::string text = IsDateShort(item.DataField) ? settings.FormatDate(outputDay)
                                                               : binding.Text(item.DataField);
                text = FitToWidth(std::move(text), item.Width, item.Font, measure);
                if (!text.empty()) // an empty field leaves its cell blank
                    page.Items.push_back(TextItem(item, std::move(text)));
                break;
            }
            default:
                page.Items.push_back(ShapeItem(item));
                break;
            }
        }
        result.Pages.Pages.push_back(std::move(page));
    }
    // What print queues and PDF viewers show: the division, not the layout.
    const auto text = [&binding](std::string_view field) {
        return binding.Begun() && binding.Reads(field) ? binding.Text(field) : std::string();
    };
    result.Pages.Title = DivisionTitleUtf8(text("Klasse"), text("Jahr"));
    return result;
}
