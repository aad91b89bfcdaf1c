#include "gallery/qvb_colors.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

struct ColorCase {
    long long color;
    const char* html;
};

class HtmlColorTest : public testing::TestWithParam<ColorCase> {};

TEST_P(HtmlColorTest, WritesRedGreenBlue) { EXPECT_EQ(HtmlColor(GetParam().color), GetParam().html); }

INSTANTIATE_TEST_SUITE_P(Colors, HtmlColorTest,
                         testing::Values(ColorCase{16777215, "#FFFFFF"}, ColorCase{0, "#000000"},
                                         ColorCase{255, "#FF0000"}, ColorCase{16711680, "#0000FF"},
                                         ColorCase{0x0C0B0A, "#0A0B0C"}, ColorCase{13553358, "#CECECE"},
                                         ColorCase{0xAB, "#AB0000"}, ColorCase{0xEF00, "#00EF00"},
                                         // the highest byte does not count, also in its signed form
                                         ColorCase{0xFF0000FF, "#FF0000"}, ColorCase{-16777201, "#0F0000"},
                                         // no 32-bit value at all
                                         ColorCase{1LL << 32, "#000000"},
                                         ColorCase{-(1LL << 40), "#000000"}));

TEST(RgbColorTest, PutsRedInTheLowestByte) {
    EXPECT_EQ(RgbColor(10, 11, 12), 0x0C0B0A);
    EXPECT_EQ(HtmlColor(RgbColor(10, 11, 12)), "#0A0B0C");
}

TEST(GradientColorAtTest, RunsFromTheStartColourToTheEndColour) {
    const long long white = RgbColor(255, 255, 255);
    const long long grey = RgbColor(206, 206, 206);
    EXPECT_EQ(GradientColorAt(white, grey, 0, 489), white);
    EXPECT_EQ(GradientColorAt(white, grey, 488, 489), grey);
    // t = 0.5: 255 - 24.5 = 230.5, truncated
    EXPECT_EQ(GradientColorAt(white, grey, 1, 3), RgbColor(230, 230, 230));
    // each component on its own, rising and falling
    EXPECT_EQ(GradientColorAt(RgbColor(0, 100, 200), RgbColor(200, 100, 0), 50, 101),
              RgbColor(100, 100, 100));
    EXPECT_EQ(GradientColorAt(RgbColor(0, 0, 0), RgbColor(10, 10, 10), 1, 4), RgbColor(3, 3, 3));
}

TEST(GradientColorAtTest, OutsideTheGradientTakesTheNearerEnd) {
    const long long red = RgbColor(255, 0, 0);
    const long long blue = RgbColor(0, 0, 255);
    EXPECT_EQ(GradientColorAt(red, blue, -5, 10), red);
    EXPECT_EQ(GradientColorAt(red, blue, 10, 10), blue);
    EXPECT_EQ(GradientColorAt(red, blue, 3, 1), red);
    EXPECT_EQ(GradientColorAt(red | 0xFF000000, blue, 0, 2), red);
}

struct ContrastCase {
    long long text;
    long long background;
    double ratio;  // as contrast checkers give it, to two decimals
    bool readable;
};

class ContrastTest : public testing::TestWithParam<ContrastCase> {};

TEST_P(ContrastTest, IsTheRatioOfRelativeLuminances) {
    const ContrastCase& c = GetParam();
    EXPECT_NEAR(ContrastRatio(c.text, c.background), c.ratio, 0.01);
    EXPECT_NEAR(ContrastRatio(c.background, c.text), c.ratio, 0.01);  // either way round
    EXPECT_EQ(ReadableContrast(c.text, c.background), c.readable);
}

// Colours are 0x00BBGGRR.
INSTANTIATE_TEST_SUITE_P(Pairs, ContrastTest,
                         testing::Values(ContrastCase{0x000000, 0xFFFFFF, 21.0, true},
                                         ContrastCase{0xFFFFFF, 0xFFFFFF, 1.0, false},
                                         ContrastCase{0x777777, 0xFFFFFF, 4.48, false},
                                         ContrastCase{0x767676, 0xFFFFFF, 4.54, true},
                                         ContrastCase{0x0000FF, 0xFFFFFF, 4.0, false},
                                         ContrastCase{0xFF0000, 0x000000, 2.44, false},
                                         ContrastCase{0xFFFFFF, 0x80FF7F00, 3.83, false}));

}  // namespace
}  // namespace wexbo
