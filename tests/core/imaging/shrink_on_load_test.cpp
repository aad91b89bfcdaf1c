#include <gtest/gtest.h>

#include "imaging/jpeg_decoder.h"
#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"
#include "temp_dir.h"

namespace wexbo {
namespace {

using test::MakeJpeg;
using test::TempDir;
using test::WriteFile;

struct ScaleCase {
    int width, height, targetWidth, targetHeight, scale;
};

class DctScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DctScaleTest, SmallestScaleStillAtLeastTheTarget) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(DctScaleFor(c.width, c.height, c.targetWidth, c.targetHeight), c.scale);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DctScaleTest,
    ::testing::Values(ScaleCase{6000, 4000, 0, 70, 1},  // 750 × 500 ≥ 105 × 70
                      ScaleCase{6000, 4000, 105, 70, 1}, ScaleCase{1000, 750, 0, 70, 1},  // 125 × 94
                      ScaleCase{400, 300, 0, 70, 2},       // 1/8 gives 37.5 rows, 2/8 gives 75
                      ScaleCase{1600, 1200, 600, 450, 3},  // 3/8: 600 × 450 exactly
                      ScaleCase{1600, 1200, 601, 450, 4},
                      ScaleCase{70, 1, 0, 70, 8},    // enlarged later: decoded in full
                      ScaleCase{500, 500, 0, 0, 8},  // no target: in full
                      ScaleCase{500, 500, 2000, 0, 8}),
    [](const auto& info) {
        const ScaleCase& c = info.param;
        return std::to_string(c.width) + "x" + std::to_string(c.height) + "To" +
               std::to_string(c.targetWidth) + "x" + std::to_string(c.targetHeight);
    });

struct ShrinkCase {
    const char* name;
    test::JpegKind kind;
    int orientation;  // 0: no EXIF segment
};

class ShrinkOnLoadTest : public ::testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkOnLoadTest, LooksLikeAFullDecodeFollowedBySize) {
    TempDir dir;
    std::string jpeg = MakeJpeg(test::PhotoLike(1600, 1200), GetParam().kind, 90);
    if (GetParam().orientation) jpeg = test::WithOrientation(jpeg, GetParam().orientation);
    WriteFile(dir / "big.jpg", jpeg);
    const bool swaps = GetParam().orientation >= 5;
    const int fullW = swaps ? 1200 : 1600, fullH = swaps ? 1600 : 1200;
    const int thumbW = swaps ? 52 : 93;

    TLEADImage full;
    full.Load(dir / "big.jpg");
    ASSERT_EQ(full.Width(), fullW);
    full.Size(thumbW, 70);

    TLEADImage shrunk;
    shrunk.LoadForSize(dir / "big.jpg", 0, 70);
    EXPECT_EQ(shrunk.FileWidth(), fullW);
    EXPECT_EQ(shrunk.FileHeight(), fullH);
    // Decoded at 1/8: never in full, still at least the target.
    EXPECT_EQ(shrunk.Width(), fullW / 8);
    EXPECT_EQ(shrunk.Height(), fullH / 8);
    shrunk.Size(thumbW, 70);

    EXPECT_LT(test::MeanDifference(*full.Snapshot(), *shrunk.Snapshot()), 2.5);
}

INSTANTIATE_TEST_SUITE_P(Files, ShrinkOnLoadTest,
                         ::testing::Values(ShrinkCase{"Baseline", test::JpegKind::Baseline, 0},
                                           ShrinkCase{"Progressive", test::JpegKind::Progressive, 0},
                                           ShrinkCase{"Cmyk", test::JpegKind::AdobeCmyk, 0},
                                           ShrinkCase{"TurnedBySix", test::JpegKind::Baseline, 6},
                                           ShrinkCase{"TransposedByFive", test::JpegKind::Progressive, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShrinkOnLoadTest, AFinerScaleWhenEighthsAreTooSmall) {
    TempDir dir;
    WriteFile(dir / "p.jpg", MakeJpeg(test::PhotoLike(1600, 1200)));
    TLEADImage image;
    image.LoadForSize(dir / "p.jpg", 600, 450);
    EXPECT_EQ(image.Width(), 600);
    EXPECT_EQ(image.Height(), 450);
    image.LoadForSize(dir / "p.jpg", 0, 0);
    EXPECT_EQ(image.Width(), 1600);
}

TEST(DecodeLimitsTest, APictureBeyondTheLimitIsRefusedBeforeItsPixelsAreAllocated) {
    const std::string jpeg = MakeJpeg(test::PhotoLike(640, 480));
    DecodeLimits limits;
    limits.maxPixels = 100000;
    EXPECT_NO_THROW(DecodeJpegMemory(jpeg.data(), jpeg.size(), 0, 70, "p", limits));  // 80 × 60 decoded
    try {
        DecodeJpegMemory(jpeg.data(), jpeg.size(), 0, 0, "p", limits);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("p: "), std::string::npos);
    }
}

}  // namespace
}  // namespace wexbo
