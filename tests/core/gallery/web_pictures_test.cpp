#include "gallery/web_pictures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "gallery_fixtures.h"
#include "imaging/lead_image.h"

namespace wexbo {
namespace {

using test::MakeJpeg;
using test::PixelAt;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct SizeCase {
    int width, height, overviewSetting, fullSizeSetting;
    PixelSize overview, fullSize;

    void Check(WebPictureSizes (*sizesOf)(int, int, int, int)) const {
        const WebPictureSizes sizes = sizesOf(width, height, overviewSetting, fullSizeSetting);
        EXPECT_EQ(sizes.overview, overview) << width << "x" << height;
        EXPECT_EQ(sizes.fullSize, fullSize) << width << "x" << height;
    }
};

class TargetSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(TargetSizeTest, ShorterSideIsTheSetting) { GetParam().Check(TargetSizes); }

INSTANTIATE_TEST_SUITE_P(Sizes, TargetSizeTest,
                         testing::Values(SizeCase{1600, 1200, 80, 450, {107, 80}, {600, 450}},  // landscape
                                         SizeCase{1200, 1600, 80, 450, {80, 107}, {450, 600}},  // portrait
                                         SizeCase{1000, 1000, 80, 450, {80, 80}, {450, 450}},   // square
                                         SizeCase{400, 300, 80, 450, {107, 80}, {600, 450}},    // enlarged
                                         SizeCase{70, 1, 80, 450, {5600, 80}, {31500, 450}},
                                         SizeCase{3, 1000, 1, 1, {1, 333}, {1, 333}}));

// Twice the settings, but never beyond the source's shorter side nor below the settings.
class DoubleDensitySizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(DoubleDensitySizeTest, TwiceTheSettingsWithinTheSource) { GetParam().Check(DoubleDensitySizes); }

INSTANTIATE_TEST_SUITE_P(
    Sizes, DoubleDensitySizeTest,
    testing::Values(
        SizeCase{4000, 3000, 80, 450, {213, 160}, {1200, 900}},  // room for both at twice the size
        SizeCase{3000, 4000, 80, 450, {160, 213}, {900, 1200}},  // portrait
        SizeCase{1200, 800, 80, 600, {240, 160}, {1200, 800}},   // the full size stops at the source
        SizeCase{1600, 1200, 80, 450, {213, 160}, {1200, 900}},
        SizeCase{800, 600, 80, 450, {213, 160}, {800, 600}},
        SizeCase{400, 300, 80, 450, {213, 160}, {600, 450}}));  // never below the 1x picture

TEST(FrameShadowTest, EachChannelTimesNineTenthsRoundedHalfToEven) {
    EXPECT_EQ(FrameShadowColor(0xFFFFFF), 0xE6E6E6u);  // white gives 230, 230, 230
    EXPECT_EQ(FrameShadowColor(0), 0u);
    EXPECT_EQ(FrameShadowColor(0x190505), 0x160404u);  // 5 gives 4.5 -> 4, 25 gives 22.5 -> 22
}

class WebPictureTest : public testing::Test {
protected:
    WebPictureJob Job(const std::string& name) {
        return {dir / (name + ".jpg"), dir / (name + "_thumb.out.jpg"), dir / (name + ".out.jpg"), {}, {}};
    }
    static PixelSize SizeOf(const std::string& file) {
        TLEADImage image;
        image.Load(file);
        return {image.Width(), image.Height()};
    }
    TempDir dir;
    WebPictureOptions options;
};

TEST_F(WebPictureTest, BothPicturesComeFromTheOrientedSize) {
    MakeJpeg(dir / "land.jpg", 1600, 1200);
    MakeJpeg(dir / "turned.jpg", 1600, 1200, 0x808080, 6);  // stands as 1200 × 1600
    MakeJpeg(dir / "small.jpg", 400, 300);
    for (const auto& [name, overview, fullSize] :
         {std::tuple{"land", PixelSize{107, 80}, PixelSize{600, 450}},
          std::tuple{"turned", PixelSize{80, 107}, PixelSize{450, 600}},
          std::tuple{"small", PixelSize{107, 80}, PixelSize{600, 450}}}) {
        const WebPictureJob job = Job(name);
        const ConvertedPicture result = ConvertWebPicture(job, options);
        EXPECT_EQ(result.sizes.overview, overview) << name;
        EXPECT_EQ(result.sizes.fullSize, fullSize) << name;
        EXPECT_EQ(SizeOf(job.overviewFile), overview) << name;
        EXPECT_EQ(SizeOf(job.fullSizeFile), fullSize) << name;
    }
    EXPECT_EQ(ConvertWebPicture(Job("turned"), options).source, (PixelSize{1200, 1600}));
}

TEST_F(WebPictureTest, TheFrameIsDrawnIntoBothPicturesWithTheShadowOfTheBackground) {
    MakeJpeg(dir / "grey.jpg", 800, 600, 0x202020);
    options.frame = true;
    options.backgroundColor = 0xFFFFFF;
    const WebPictureJob job = Job("grey");
    ConvertWebPicture(job, options);
    auto near = [](std::uint32_t color, int value) {
        for (int shift = 0; shift <= 16; shift += 8)
            if (std::abs(static_cast<int>((color >> shift) & 0xFF) - value) > 6) return false;
        return true;
    };
    for (const std::string& file : {job.fullSizeFile, job.overviewFile}) {
        const PixelSize size = SizeOf(file);
        EXPECT_TRUE(near(PixelAt(file, size.width - 1, 1), 255)) << file;   // top-right corner: background
        EXPECT_TRUE(near(PixelAt(file, 1, size.height - 1), 255)) << file;  // bottom-left corner: background
        EXPECT_TRUE(near(PixelAt(file, size.width - 2, size.height / 2), 230)) << file;   // the shadow
        EXPECT_TRUE(near(PixelAt(file, size.width / 2, size.height / 2), 0x20)) << file;  // the picture
    }
}

// The modern style's pictures: the 2x pair from the same decode, each file written with its kind's
// settings (here the full-size ones progressive), the frame as deep on screen at both densities.
TEST_F(WebPictureTest, DoubleDensityPicturesComeFromTheSameDecodeAsProgressiveFiles) {
    MakeJpeg(dir / "land.jpg", 2400, 1800, 0x4080C0);
    options.doubleDensity = true;
    options.jpeg = {80, false, true, false};
    options.overviewJpeg = {80, false, false, false};
    options.frame = true;
    WebPictureJob job = Job("land");
    job.overview2xFile = dir / "land_thumb@2x.out.jpg";
    job.fullSize2xFile = dir / "land@2x.out.jpg";
    const ConvertedPicture result = ConvertWebPicture(job, options);
    EXPECT_EQ(result.sizes.fullSize, (PixelSize{600, 450}));
    EXPECT_EQ(result.doubleSizes.fullSize, (PixelSize{1200, 900}));
    EXPECT_EQ(result.doubleSizes.overview, (PixelSize{213, 160}));
    const std::vector<std::tuple<std::string, PixelSize, bool>> files = {
        {job.overviewFile, result.sizes.overview, false},
        {job.fullSizeFile, result.sizes.fullSize, true},
        {job.overview2xFile, result.doubleSizes.overview, false},
        {job.fullSize2xFile, result.doubleSizes.fullSize, true}};
    for (const auto& [file, size, progressive] : files) {
        SCOPED_TRACE(file);
        EXPECT_EQ(SizeOf(file), size);
        const std::string bytes = ReadFile(file);
        EXPECT_EQ(bytes.find("\xFF\xC2") != std::string::npos, progressive) << "a progressive frame";
        EXPECT_EQ(bytes.find("\xFF\xC0") != std::string::npos, !progressive) << "a baseline frame";
        // The frame's shadow is 4 pixels deep at 1x, 8 at 2x: the 6th pixel from the right edge is
        // the picture at 1x and still the shadow at 2x.
        const bool doubled = size.width > 600 || size == result.doubleSizes.overview;
        const std::uint32_t inside = PixelAt(file, size.width - 6, size.height / 2);
        EXPECT_EQ(std::abs(static_cast<int>(inside & 0xFF) - 230) <= 12, doubled) << std::hex << inside;
    }
    // Classic options write neither 2x pictures nor progressive files.
    options = {};
    const WebPictureJob classic = Job("land");
    ConvertWebPicture(classic, options);
    EXPECT_EQ(ReadFile(classic.fullSizeFile).find("\xFF\xC2"), std::string::npos);
}

TEST_F(WebPictureTest, ErrorsNameTheFileAndTheProblem) {
    try {
        ConvertWebPicture(Job("missing"), options);
        FAIL() << "a missing picture was converted";
    } catch (const WebPictureError& error) {
        EXPECT_NE(std::string(error.what()).find(dir / "missing.jpg"), std::string::npos) << error.what();
    }
    WriteFile(dir / "broken.jpg", "\xFF\xD8\xFF\xE0 this is no picture");
    try {
        ConvertWebPicture(Job("broken"), options);
        FAIL() << "a broken picture was converted";
    } catch (const WebPictureError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot read the picture " + dir / "broken.jpg"),
                  std::string::npos)
            << error.what();
    }
    MakeJpeg(dir / "fine.jpg", 100, 100);
    WebPictureJob blocked = Job("fine");
    WriteFile(dir / "blocker", "a file where a folder should be");
    blocked.fullSizeFile = dir / "blocker/fine.jpg";
    try {
        ConvertWebPicture(blocked, options);
        FAIL() << "an unwritable web picture was reported as made";
    } catch (const WebPictureError& error) {
        EXPECT_NE(std::string(error.what()).find(blocked.fullSizeFile), std::string::npos) << error.what();
    }
}

class ConvertManyTest : public WebPictureTest {
protected:
    void SetUp() override {
        for (int i = 0; i < 6; ++i) {
            const std::string name = "p" + std::to_string(i);
            MakeJpeg(dir / (name + ".jpg"), 300 + 97 * i, 500 - 31 * i, 0x103050u * (i + 1));
            jobs.push_back(Job(name));
        }
    }
    std::vector<WebPictureJob> jobs;
};

TEST_F(ConvertManyTest, ThreadsMakeTheSameFilesAndCountProgressUp) {
    std::vector<int> seen;
    ConvertWebPictures(jobs, options, 1, [&](int done, int total) {
        EXPECT_EQ(total, 6);
        seen.push_back(done);
    });
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    std::vector<std::string> single;
    for (const WebPictureJob& job : jobs)
        single.push_back(ReadFile(job.overviewFile) + ReadFile(job.fullSizeFile));
    ConvertWebPictures(jobs, options, 3);
    for (std::size_t i = 0; i < jobs.size(); ++i)
        EXPECT_EQ(ReadFile(jobs[i].overviewFile) + ReadFile(jobs[i].fullSizeFile), single[i]) << i;
}

TEST_F(ConvertManyTest, TheFirstFailingPictureInListOrderIsReported) {
    WriteFile(jobs[4].source, "broken");
    WriteFile(jobs[1].source, "broken too");
    for (unsigned threads : {1u, 2u, 4u}) {
        try {
            ConvertWebPictures(jobs, options, threads);
            FAIL() << "broken pictures were converted";
        } catch (const WebPictureError& error) {
            EXPECT_NE(std::string(error.what()).find(jobs[1].source), std::string::npos) << error.what();
        }
    }
}

TEST_F(ConvertManyTest, ACancelStopsBetweenPictures) {
    std::atomic<bool> cancel{false};
    int calls = 0;
    EXPECT_THROW(ConvertWebPictures(
                     jobs, options, 1,
                     [&](int, int) {
                         ++calls;
                         cancel = true;
                     },
                     &cancel),
                 ConversionCancelled);
    EXPECT_EQ(calls, 1);
    int made = 0;  // the pictures are taken largest first, so which one is not fixed
    for (const WebPictureJob& job : jobs) made += std::filesystem::exists(job.fullSizeFile);
    EXPECT_EQ(made, 1);
}

}  // namespace
}  // namespace wexbo
