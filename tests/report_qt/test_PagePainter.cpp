// Painting a page on a 100 dpi image: frames and lines in device pixels,
// fills before texts, texts on their baseline; and the real font's widths.
#include "report/PageGenerator.h"
#include "report/qt/PagePainter.h"
#include "report/qt/QtTextMeasure.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace {

constexpr int kDpi = 100;

QImage Paint(const TReportPage& page) {
    QImage image(static_cast<int>(page.Width * kDpi), static_cast<int>(page.Height * kDpi),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254 + 0.5));
    QPainter painter(&image);
    PaintPage(painter, page, TPaintMetrics{kDpi, kDpi, 1});
    return image;
}

bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 100;
}

TPageItem Item(TPageItemKind kind, double left, double top, double width, double height,
               int lineWidth, TLineStyle style = psSolid) {
    TPageItem item;
    item.Kind = kind;
    item.Left = left;
    item.Top = top;
    item.Width = width;
    item.Height = height;
    item.LineWidth = lineWidth;
    item.LineStyle = style;
    return item;
}

TEST(PagePainter, FramesAndLinesInDevicePixels) {
    TReportPage page;
    TPageItem box = Item(piRectangle, 0.50, 0.23, 7.30, 0.40, 1);
    box.FillStyle = fsSolid;
    box.FillColor = {192, 192, 192};
    page.Items = {
        box, Item(piRectangle, 0.40, 1.26, 7.40, 1.19, 3), Item(piHLine, 0.40, 1.46, 7.40, 0, 2),
        Item(piHLine, 0.40, 1.76, 7.40, 0, 1, psDash), Item(piVLine, 4.14, 1.26, 0, 1.19, 2)};
    const QImage image = Paint(page);
    EXPECT_EQ(qGray(image.pixel(100, 40)), 192) << "heading box filled";
    EXPECT_TRUE(Dark(image, 50, 40)) << "heading box border";
    EXPECT_FALSE(Dark(image, 51, 40));

    // The 3-pixel frame lies inside its bounds.
    const int y = 200;
    const bool frame[] = {Dark(image, 39, y), Dark(image, 40, y), Dark(image, 41, y),
                          Dark(image, 42, y), Dark(image, 43, y)};
    EXPECT_EQ(std::vector<bool>(std::begin(frame), std::end(frame)),
              (std::vector<bool>{false, true, true, true, false}));

    int solidRows = 0;
    for (int row = 140; row < 152; ++row)
        solidRows += Dark(image, 300, row);
    EXPECT_EQ(solidRows, 2) << "a 2-pixel line";

    int dark = 0, light = 0;
    for (int x = 100; x < 300; ++x)
        (Dark(image, x, 176) || Dark(image, x, 175) ? dark : light)++;
    EXPECT_GT(dark, 40) << "dashed line drawn";
    EXPECT_GT(light, 40) << "dashed line has gaps";

    int dividerColumns = 0;
    for (int x = 410; x < 418; ++x)
        dividerColumns += Dark(image, x, 230);
    EXPECT_EQ(dividerColumns, 2);
}

// Top plus line height less the descent is the baseline; the justification
// places the text in its span.
TEST(PagePainter, TextOnBaselineAndJustified) {
    const struct {
        TFontJustify Justify;
        int Size;
    } cases[] = {{pjLeft, 20}, {pjCenter, 20}, {pjRight, 20}, {pjLeft, 10}, {pjRight, 12}};
    for (const auto& c : cases) {
        TReportPage page;
        TPageItem text = Item(piText, 1.00, 1.00, 4.00, 0, 0);
        text.Text = "HHHH";
        text.Font = {"Arial", c.Size, true};
        text.Justify = c.Justify;
        page.Items = {text};
        const QImage image = Paint(page);
        int top = -1, bottom = -1, left = -1, right = -1;
        for (int y = 80; y < 160; ++y)
            for (int x = 80; x < 520; ++x)
                if (Dark(image, x, y)) {
                    top = top < 0 ? y : top;
                    bottom = y;
                    left = left < 0 || x < left ? x : left;
                    right = std::max(right, x);
                }
        ASSERT_GE(top, 0) << c.Size;
        QFont font = PageQFont(text.Font);
        font.setPixelSize(c.Size * kDpi / 72);
        const double descent = QFontMetricsF(font).descent();
        const double baseline = (1.00 + c.Size / 60.0) * kDpi - descent;
        EXPECT_NEAR(bottom + 1, baseline, 1.5) << "size " << c.Size;
        const double width = TQtTextMeasure().TextWidth(text.Text, text.Font) * kDpi;
        const double expectedLeft = c.Justify == pjLeft     ? 100
                                    : c.Justify == pjCenter ? 100 + (400 - width) / 2
                                                            : 500 - width;
        EXPECT_NEAR(left, expectedLeft, 3) << "justify " << int(c.Justify) << " size " << c.Size;
    }
}

TEST(PagePainter, PdfDrawsALayoutPixelAsOneHundredTwentiethInch) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    QPainter painter(&writer);
    const TPaintMetrics metrics = DeviceMetrics(painter);
    EXPECT_EQ(metrics.DotsPerInchX, 1200);
    EXPECT_DOUBLE_EQ(metrics.PixelWidth, 10);
    painter.end();
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter imagePainter(&image);
    EXPECT_DOUBLE_EQ(DeviceMetrics(imagePainter).PixelWidth, 1);
}

// Liberation Sans, Arial's metric twin: "heim" is 2.167 em wide.
TEST(QtTextMeasure, ArialWidths) {
    const TQtTextMeasure measure;
    EXPECT_NEAR(measure.TextWidth("heim", {"Arial", 10, false}), 2.167 * 10 / 72, 0.003);
    EXPECT_GT(measure.TextWidth("heim", {"Arial", 10, true}),
              measure.TextWidth("heim", {"Arial", 10, false}));
    EXPECT_EQ(measure.TextWidth("", {"Arial", 12, false}), 0);
    const struct {
        std::string Text;
        double Width;
        TPageFont Font;
        std::string Expected;
    } cases[] = {
        // W is 0.944 em: twelve fit into 1.67 inches at 10 pt
        {std::string(20, 'W'), 1.67, {"Arial", 10, false}, std::string(12, 'W')},
        {"TSV Musterstadt", 1.67, {"Arial", 10, false}, "TSV Musterstadt"},
        // bold M is 0.833 em: 24 fit into 5.5833 inches at 20 pt
        {std::string(30, 'M'), 5.5833, {"Arial", 20, true}, std::string(24, 'M')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitToWidth(c.Text, c.Width, c.Font, measure), c.Expected) << c.Text;
}

} // namespace
