#include <gtest/gtest.h>

#include <cmath>

#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"
#include "temp_dir.h"

namespace wexbo {
namespace {

using test::At;
using test::MakeJpeg;
using test::Near;
using test::TempDir;
using test::WriteFile;

constexpr Rgb kMark{250, 20, 200};
constexpr Rgb kGrey{128, 128, 128};

// A grey picture with one marked pixel at the top left.
RgbBuffer Marked(int w, int h) {
    RgbBuffer picture = test::Solid(w, h, kGrey);
    std::uint8_t* p = picture.Row(0);
    p[0] = kMark.r;
    p[1] = kMark.g;
    p[2] = kMark.b;
    return picture;
}

struct TurnCase {
    int angle;
    int width, height;  // after the turn of a 30 × 20 picture
    int markX, markY;   // where the top-left pixel lands
};

class RotateTest : public ::testing::TestWithParam<TurnCase> {};

TEST_P(RotateTest, TurnsClockwiseAndMovesTheCornerPixel) {
    TLEADImage image;
    image.SetPicture(Marked(30, 20));
    image.Rotate(GetParam().angle, 1, kLeadWhite);
    EXPECT_EQ(image.LastResult(), kLeadSuccess);
    ASSERT_EQ(image.Width(), GetParam().width);
    ASSERT_EQ(image.Height(), GetParam().height);
    const auto pic = image.Snapshot();
    int marks = 0;
    for (int y = 0; y < pic->Height(); ++y)
        for (int x = 0; x < pic->Width(); ++x) marks += At(*pic, x, y) == kMark;
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(At(*pic, GetParam().markX, GetParam().markY), kMark);
}

INSTANTIATE_TEST_SUITE_P(QuarterTurns, RotateTest,
                         ::testing::Values(TurnCase{9000, 20, 30, 19, 0}, TurnCase{18000, 30, 20, 29, 19},
                                           TurnCase{27000, 20, 30, 0, 29}, TurnCase{-9000, 20, 30, 0, 29},
                                           TurnCase{36000, 30, 20, 0, 0}),
                         [](const auto& info) {
                             const int a = info.param.angle;
                             return (a < 0 ? "Minus" + std::to_string(-a) : std::to_string(a));
                         });

TEST(RotateTest, FourQuarterTurnsGiveThePictureBack) {
    TLEADImage image;
    image.SetPicture(test::PhotoLike(31, 17));
    const RgbBuffer original = image.Snapshot()->Clone();
    for (int i = 0; i < 4; ++i) image.Rotate(9000);
    EXPECT_EQ(test::MeanDifference(original, *image.Snapshot()), 0.0);
}

TEST(RotateTest, OtherAnglesEnlargeTheCanvasAndFillItWithTheFillColour) {
    TLEADImage image;
    image.SetPicture(test::Solid(100, 100, test::kBlue));
    image.Rotate(4500, 1, kLeadWhite);
    EXPECT_EQ(image.Width(), 142);  // 100 × √2 = 141.4
    EXPECT_EQ(image.Height(), 142);
    const auto pic = image.Snapshot();
    EXPECT_EQ(At(*pic, 0, 0), test::kWhite);
    EXPECT_EQ(At(*pic, 71, 71), test::kBlue);
    EXPECT_EQ(At(*pic, 71, 1), test::kBlue);  // the corner turned to the top, not cut off
    image.Rotate(4500, 0, 0x0000FF);          // same canvas, red fill
    EXPECT_EQ(image.Width(), 142);
    EXPECT_EQ(At(*image.Snapshot(), 0, 0), test::kRed);
}

TEST(MirrorTest, ReverseExchangesLeftAndRightFlipTopAndBottom) {
    TLEADImage image;
    image.SetPicture(test::Quadrants(40, 20, test::kRed, test::kBlue, test::kRed, test::kBlue));
    image.Reverse();
    EXPECT_EQ(At(*image.Snapshot(), 0, 10), test::kBlue);
    EXPECT_EQ(At(*image.Snapshot(), 39, 10), test::kRed);

    image.SetPicture(test::Quadrants(40, 20, test::kRed, test::kRed, test::kBlue, test::kBlue));
    image.Flip();
    EXPECT_EQ(At(*image.Snapshot(), 20, 0), test::kBlue);
    EXPECT_EQ(At(*image.Snapshot(), 20, 19), test::kRed);
    EXPECT_EQ(image.Width(), 40);
    EXPECT_EQ(image.Height(), 20);
}

TEST(RegionFillTest, FillsOnlyTheRegionClippedToThePictureAndAllWithoutOne) {
    TLEADImage image;
    image.SetPicture(test::Solid(10, 10, kGrey));
    image.SetRgnRect(7, -2, 5, 4, 1);
    image.Fill(0x0000FF);
    auto pic = image.Snapshot();
    EXPECT_EQ(At(*pic, 7, 0), test::kRed);
    EXPECT_EQ(At(*pic, 9, 1), test::kRed);
    EXPECT_EQ(At(*pic, 6, 0), kGrey);
    EXPECT_EQ(At(*pic, 9, 2), kGrey);
    image.SetRgnRect(0, 0, 0, 0, 1);  // an empty region fills nothing
    image.Fill(0xFF0000);
    EXPECT_EQ(At(*image.Snapshot(), 0, 0), kGrey);
    image.FreeRgn();
    image.Fill(0xFF0000);
    EXPECT_EQ(At(*image.Snapshot(), 5, 5), test::kBlue);
    EXPECT_EQ(image.LastResult(), kLeadSuccess);
    EXPECT_THROW(image.SetRgnRect(0, 0, 2, 2, 3), ELeadImageError);
    EXPECT_EQ(image.LastResult(), kLeadInvalidParameter);
}

// ---- the frame ----

struct FrameCase {
    int depth;
    LeadColor shadow;
    LeadColor corner;
};

class FramePictureTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FramePictureTest, BorderBandShadowAndCornerSquares) {
    const int d = GetParam().depth;
    const int w = 93, h = 70;
    const Rgb shadow{static_cast<std::uint8_t>(GetParam().shadow & 0xFF),
                     static_cast<std::uint8_t>((GetParam().shadow >> 8) & 0xFF),
                     static_cast<std::uint8_t>(GetParam().shadow >> 16)};
    const Rgb corner{static_cast<std::uint8_t>(GetParam().corner & 0xFF),
                     static_cast<std::uint8_t>((GetParam().corner >> 8) & 0xFF),
                     static_cast<std::uint8_t>(GetParam().corner >> 16)};
    const Rgb silver{192, 192, 192};
    TLEADImage image;
    image.SetPicture(test::Solid(w, h, test::kBlue));
    image.FramePicture(d, GetParam().shadow, GetParam().corner);
    EXPECT_EQ(image.Width(), w);
    EXPECT_EQ(image.Height(), h);
    const auto pic = image.Snapshot();
    // Corner squares: bottom left and top right, d × d.
    for (int i = 0; i < d; ++i)
        for (int j = 0; j < d; ++j) {
            EXPECT_EQ(At(*pic, i, h - d + j), corner);
            EXPECT_EQ(At(*pic, w - d + i, j), corner);
        }
    // Shadow: the last d columns below the corner, the last d rows right of the corner.
    EXPECT_EQ(At(*pic, w - 1, d), shadow);
    EXPECT_EQ(At(*pic, w - 1, h - 1), shadow);
    EXPECT_EQ(At(*pic, d, h - 1), shadow);
    EXPECT_EQ(At(*pic, w / 2, h - d), shadow);
    // The frame: a silver line around (w - d) × (h - d), a 5-pixel white band inside, then the picture.
    EXPECT_EQ(At(*pic, 0, 0), silver);
    EXPECT_EQ(At(*pic, w - d - 1, h / 2), silver);
    EXPECT_EQ(At(*pic, w / 2, h - d - 1), silver);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(At(*pic, i, h / 2), test::kWhite) << i;
        EXPECT_EQ(At(*pic, w / 2, i), test::kWhite) << i;
        EXPECT_EQ(At(*pic, w - d - 1 - i, h / 2), test::kWhite) << i;
    }
    EXPECT_EQ(At(*pic, 6, 6), test::kBlue);
    EXPECT_EQ(At(*pic, w - d - 7, h - d - 7), test::kBlue);
}

INSTANTIATE_TEST_SUITE_P(Callers, FramePictureTest,
                         ::testing::Values(FrameCase{2, 0xEAEAEA, kLeadWhite},  // thumbnails
                                           FrameCase{4, 0x1E3B59, 0x214263}),   // gallery on a dark page
                         [](const auto& info) { return "Depth" + std::to_string(info.param.depth); });

TEST(DrawShapeTest, WithoutPersistenceNothingIsDrawn) {
    TLEADImage image;
    image.SetPicture(test::Solid(20, 20, test::kBlue));
    LeadShape shape;
    shape.width = 20;
    shape.height = 20;
    image.SetShape(shape);
    image.DrawShape(2000);
    EXPECT_EQ(At(*image.Snapshot(), 0, 0), test::kBlue);
    image.SetDrawPersistence(true);
    image.DrawShape(2000);
    EXPECT_EQ(At(*image.Snapshot(), 0, 0), (Rgb{192, 192, 192}));
    EXPECT_THROW(image.DrawShape(1999), ELeadImageError);
}

// ---- resizing ----

TEST(SizeTest, GivesExactlyTheSizeAskedForBothWays) {
    TLEADImage image;
    image.SetPicture(test::PhotoLike(1000, 750));
    image.Size(93, 70, 4);
    EXPECT_EQ(image.Width(), 93);
    EXPECT_EQ(image.Height(), 70);
    image.Size(600, 450, 4);
    EXPECT_EQ(image.Width(), 600);
    EXPECT_EQ(image.Height(), 450);
    EXPECT_THROW(image.Size(0, 10, 4), ELeadImageError);
    EXPECT_EQ(image.LastResult(), kLeadInvalidParameter);
    EXPECT_EQ(image.Width(), 600);
}

TEST(SizeTest, AveragesFineDetailInsteadOfAliasing) {
    // One-pixel black and white lines: a proper reduction is an even grey; point sampling would
    // give black or white, a narrow filter stripes.
    RgbBuffer lines(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const std::uint8_t v = ((x + y) % 2) ? 255 : 0;
            std::uint8_t* p = lines.Row(y) + 3 * x;
            p[0] = p[1] = p[2] = v;
        }
    TLEADImage image;
    image.SetPicture(std::move(lines));
    image.Size(93, 70, 4);
    const auto pic = image.Snapshot();
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 93; ++x) ASSERT_PRED3(Near, At(*pic, x, y), kGrey, 3) << x << "," << y;
}

TEST(SizeTest, KeepsAFlatColourAndSharpHalves) {
    TLEADImage image;
    image.SetPicture(test::Quadrants(400, 300, test::kRed, test::kBlue, test::kRed, test::kBlue));
    image.Size(40, 30, 4);
    const auto pic = image.Snapshot();
    EXPECT_EQ(At(*pic, 2, 15), test::kRed);
    EXPECT_EQ(At(*pic, 37, 15), test::kBlue);
    image.Size(160, 120, 4);  // enlarging interpolates
    EXPECT_EQ(At(*image.Snapshot(), 4, 60), test::kRed);
}

// A picture whose red rises from left to right and whose green rises from top to bottom keeps
// both ramps at every size, whichever axis the resize filters first and whether it shrinks or
// enlarges; blue, the same everywhere, stays exactly as it was. The cubic reproduces a straight
// ramp, so only rounding remains; the sources are small enough that a source row or column out
// of place would be off by more than that.
struct RampCase {
    int width, height, toWidth, toHeight;
};

class SizeRampTest : public testing::TestWithParam<RampCase> {};

TEST_P(SizeRampTest, KeepsTheRampsAndTheFlatChannel) {
    const RampCase& c = GetParam();
    RgbBuffer ramps(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            std::uint8_t* p = ramps.Row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(std::lround(255.0 * (x + 0.5) / c.width));
            p[1] = static_cast<std::uint8_t>(std::lround(255.0 * (y + 0.5) / c.height));
            p[2] = 77;
        }
    TLEADImage image;
    image.SetPicture(std::move(ramps));
    image.Size(c.toWidth, c.toHeight, kLeadSizeBicubic);
    const auto pic = image.Snapshot();
    ASSERT_EQ(pic->Width(), c.toWidth);
    ASSERT_EQ(pic->Height(), c.toHeight);
    // Away from the edges, where the filter has source pixels on both sides.
    const int marginX = c.toWidth / 8, marginY = c.toHeight / 8;
    for (int y = marginY; y < c.toHeight - marginY; ++y)
        for (int x = marginX; x < c.toWidth - marginX; ++x) {
            const Rgb got = At(*pic, x, y);
            ASSERT_NEAR(got.r, 255.0 * (x + 0.5) / c.toWidth, 1.25) << x << "," << y;
            ASSERT_NEAR(got.g, 255.0 * (y + 0.5) / c.toHeight, 1.25) << x << "," << y;
            ASSERT_EQ(got.b, 77) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Shapes, SizeRampTest,
                         testing::Values(RampCase{120, 100, 90, 75},     // both axes, columns first
                                         RampCase{120, 100, 40, 90},     // both axes, rows first
                                         RampCase{1000, 100, 100, 90},   // rows first, a long way
                                         RampCase{120, 80, 50, 80},      // width only
                                         RampCase{80, 120, 80, 50},      // height only
                                         RampCase{60, 40, 250, 170},     // enlarged
                                         RampCase{720, 450, 107, 80}));  // an overview picture

// ---- EXIF orientation ----

struct OrientationCase {
    int orientation;
    // The colours at the stored picture's corners (top left, top right, bottom left, bottom right)
    // for an upright picture with red, green / blue, white corners.
    Rgb tl, tr, bl, br;
};

class OrientationTest : public ::testing::TestWithParam<std::tuple<OrientationCase, bool>> {};

TEST_P(OrientationTest, LoadsThePictureUprightAndSavesItWithoutTheTag) {
    const auto& [c, bigEndian] = GetParam();
    const bool swaps = c.orientation >= 5;
    const int storedW = swaps ? 32 : 48, storedH = swaps ? 48 : 32;
    TempDir dir;
    WriteFile(dir / "p.jpg",
              test::WithOrientation(MakeJpeg(test::Quadrants(storedW, storedH, c.tl, c.tr, c.bl, c.br)),
                                    c.orientation, bigEndian));
    TLEADImage image;
    image.Load(dir / "p.jpg");
    ASSERT_EQ(image.Width(), 48);
    ASSERT_EQ(image.Height(), 32);
    auto check = [](const RgbBuffer& pic) {
        EXPECT_PRED3(Near, At(pic, 4, 4), test::kRed, 24);
        EXPECT_PRED3(Near, At(pic, 43, 4), test::kGreen, 24);
        EXPECT_PRED3(Near, At(pic, 4, 27), test::kBlue, 24);
        EXPECT_PRED3(Near, At(pic, 43, 27), test::kWhite, 24);
    };
    check(*image.Snapshot());
    // Saved upright and without the tag, it loads the same again.
    image.Save(dir / "saved.jpg");
    TLEADImage again;
    again.Load(dir / "saved.jpg");
    ASSERT_EQ(again.Width(), 48);
    check(*again.Snapshot());
    EXPECT_EQ(test::ReadFile(dir / "saved.jpg").find(std::string("Exif\0\0", 6)), std::string::npos);
}

const Rgb R = test::kRed, G = test::kGreen, B = test::kBlue, W = test::kWhite;

INSTANTIATE_TEST_SUITE_P(
    AllEight, OrientationTest,
    ::testing::Combine(::testing::Values(OrientationCase{1, R, G, B, W}, OrientationCase{2, G, R, W, B},
                                         OrientationCase{3, W, B, G, R}, OrientationCase{4, B, W, R, G},
                                         OrientationCase{5, R, B, G, W}, OrientationCase{6, G, W, R, B},
                                         OrientationCase{7, W, G, B, R}, OrientationCase{8, B, R, W, G}),
                       ::testing::Bool()),
    [](const auto& info) {
        return "Orientation" + std::to_string(std::get<0>(info.param).orientation) +
               (std::get<1>(info.param) ? "BigEndian" : "LittleEndian");
    });

TEST(OrientationTest, OutOfRangeOrDamagedTagLeavesThePictureAsStored) {
    TempDir dir;
    const std::string jpeg = MakeJpeg(test::Quadrants(48, 32, R, G, B, W));
    WriteFile(dir / "nine.jpg", test::WithOrientation(jpeg, 9));
    std::string damaged = test::WithOrientation(jpeg, 6);
    damaged[12] = 'X';  // byte-order mark of the TIFF header
    WriteFile(dir / "damaged.jpg", damaged);
    for (const char* name : {"nine.jpg", "damaged.jpg"}) {
        TLEADImage image;
        image.Load(dir / name);
        EXPECT_EQ(image.Width(), 48) << name;
        EXPECT_PRED3(Near, At(*image.Snapshot(), 43, 4), G, 24) << name;
    }
}

}  // namespace
}  // namespace wexbo
