#include "ui/controls/NavPictures.h"

#include <gtest/gtest.h>

namespace {

TEST(NavPicturesTest, FoundByNameWithoutRegardToCase) {
    struct {
        const char* Name;
        QSize Size;
    } cases[] = {{"MDBN_FIRST", {28, 13}},
                 {"mdbn_prior", {20, 13}},
                 {"Mdbn_Next", {20, 13}},
                 {"mdbn_LAST", {28, 13}}};
    for (const auto& c : cases) {
        const QImage image = FindBitmapResource(c.Name);
        ASSERT_FALSE(image.isNull()) << c.Name;
        EXPECT_EQ(image.size(), c.Size) << c.Name;
        EXPECT_LE(image.colorCount(), 16) << c.Name;
        EXPECT_GT(image.colorCount(), 0) << c.Name; // a palette image
        EXPECT_EQ(image.pixelColor(0, image.height() - 1), QColor(128, 128, 0)) << c.Name;
    }
    EXPECT_TRUE(FindBitmapResource("MDBN_NOTHING").isNull());
    EXPECT_TRUE(FindBitmapResource("").isNull());
}

TEST(NavPicturesTest, TwoImagesWithOliveTransparent) {
    for (const char* word : {"FIRST", "PRIOR", "NEXT", "LAST"}) {
        const TNavPicture picture = LoadNavPicture(word);
        const QImage enabled = picture.Enabled.toImage();
        const QImage disabled = picture.Disabled.toImage();
        ASSERT_EQ(enabled.size(), disabled.size()) << word;
        EXPECT_EQ(enabled.height(), 13) << word;
        int black = 0, opaqueDisabled = 0, olive = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < enabled.width(); ++x) {
                const QColor e = enabled.pixelColor(x, y);
                black += e.alpha() == 255 && e.rgb() == qRgb(0, 0, 0);
                olive += e.alpha() == 255 && e.rgb() == qRgb(128, 128, 0);
                const QColor d = disabled.pixelColor(x, y);
                opaqueDisabled += d.alpha() == 255;
                EXPECT_FALSE(d.alpha() == 255 && d.rgb() == qRgb(0, 0, 0)) << word;
            }
        EXPECT_GT(black, 20) << word;
        EXPECT_GT(opaqueDisabled, 20) << word;
        EXPECT_EQ(olive, 0) << word;
        EXPECT_EQ(enabled.pixelColor(0, 12).alpha(), 0) << word;
    }
}

TEST(NavPicturesTest, BrokenBitmapsGiveNoPicture) {
    EXPECT_TRUE(SplitNavPicture(QImage()).Enabled.isNull());
    EXPECT_TRUE(SplitNavPicture(QImage(1, 13, QImage::Format_RGB32)).Enabled.isNull());
}

} // namespace
