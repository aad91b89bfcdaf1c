#include "imaging/lead_image_view.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "imaging/lead_image.h"

namespace wexbo {
namespace {

RgbBuffer Halves(int w, int h) {  // left red, right blue
    RgbBuffer picture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = picture.Row(y) + 3 * x;
            p[0] = x < w / 2 ? 255 : 0;
            p[1] = 0;
            p[2] = x < w / 2 ? 0 : 255;
        }
    return picture;
}

TEST(LeadImageViewTest, SharesThePixelsAndOutlivesChangesToTheComponent) {
    TLEADImage image;
    EXPECT_TRUE(LeadImageView(image).isNull());
    image.SetPicture(Halves(33, 7));  // odd width: rows are padded
    const QImage view = LeadImageView(image);
    ASSERT_FALSE(view.isNull());
    EXPECT_EQ(view.size(), QSize(33, 7));
    EXPECT_EQ(view.constBits(), image.Snapshot()->Data());  // no copy
    EXPECT_EQ(view.pixelColor(0, 3), QColor(255, 0, 0));
    EXPECT_EQ(view.pixelColor(32, 6), QColor(0, 0, 255));

    image.Reverse();
    image.Clear();
    EXPECT_EQ(view.pixelColor(0, 3), QColor(255, 0, 0));  // still the picture it was made from
    EXPECT_EQ(view.pixelColor(32, 6), QColor(0, 0, 255));
}

}  // namespace
}  // namespace wexbo
