#include "imaging/lead_image_view.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"

namespace wexbo {
namespace {

RgbBuffer Halves(int w, int h) {  // left red, right blue
    return test::Quadrants(w, h, test::kRed, test::kBlue, test::kRed, test::kBlue);
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
