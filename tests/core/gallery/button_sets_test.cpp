// The navigation button sets the build draws into the program folder: 28 complete sets, each
// image a real GIF of button size, every set looking different, all shown on the chooser page.
#include "gallery/button_sets.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "util/strings.h"

namespace wexbo {
namespace {

constexpr int kSets = 28;
const char* const kRoles[] = {"slideshow", "gallery", "previous", "home", "next"};

// A decoded GIF: its first frame as RGBA, transparent pixels as 0.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

std::string SetFolder(int set) {
    return std::string(WEXBO_PROGRAM_DIR) + "buttons/" + PadLeft(std::to_string(set), '0', 2) + "/";
}

Picture Decode(const std::string& path) {
    int error = 0;
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(
        DGifOpenFileName(path.c_str(), &error), [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    Picture picture;
    if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) {
        ADD_FAILURE() << path << ": not a readable GIF";
        return picture;
    }
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif.get(), 0, &control);
    picture.width = gif->SWidth;
    picture.height = gif->SHeight;
    picture.pixels.assign(size_t(picture.width) * picture.height, 0);
    for (int y = 0; y < frame.ImageDesc.Height; ++y)
        for (int x = 0; x < frame.ImageDesc.Width; ++x) {
            const int index = frame.RasterBits[y * frame.ImageDesc.Width + x];
            const int px = frame.ImageDesc.Left + x, py = frame.ImageDesc.Top + y;
            if (index == control.TransparentColor || !map || index >= map->ColorCount ||
                px >= picture.width || py >= picture.height)
                continue;
            const GifColorType c = map->Colors[index];
            picture.pixels[size_t(py) * picture.width + px] =
                0xFF000000u | c.Red << 16 | c.Green << 8 | c.Blue;
        }
    return picture;
}

// Share of pixels that clearly differ (another colour, or shown against transparent); pictures
// of different sizes differ entirely.
double Difference(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height) return 1.0;
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        const uint32_t p = a.pixels[i], q = b.pixels[i];
        if ((p >> 24) != (q >> 24)) {
            ++differing;
            continue;
        }
        int distance = 0;
        for (int shift = 0; shift < 24; shift += 8)
            distance += std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF));
        if (distance > 48) ++differing;
    }
    return a.pixels.empty() ? 0.0 : double(differing) / a.pixels.size();
}

class ButtonSetsTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        sets_.assign(kSets, {});
        for (int set = 1; set <= kSets; ++set)
            for (const char* role : kRoles) sets_[set - 1].push_back(Decode(SetFolder(set) + role + ".gif"));
    }
    static std::vector<std::vector<Picture>> sets_;  // [set - 1][role]
};
std::vector<std::vector<Picture>> ButtonSetsTest::sets_;

TEST_F(ButtonSetsTest, EverySetHasItsFiveImagesAtButtonSize) {
    for (int set = 1; set <= kSets; ++set)
        for (size_t role = 0; role < std::size(kRoles); ++role) {
            const Picture& p = sets_[set - 1][role];
            SCOPED_TRACE(SetFolder(set) + kRoles[role] + ".gif");
            EXPECT_GE(p.width, 32);
            EXPECT_LE(p.width, 48);
            EXPECT_GE(p.height, 32);
            EXPECT_LE(p.height, 48);
            size_t opaque = 0;
            for (uint32_t pixel : p.pixels) opaque += pixel != 0;
            EXPECT_GT(opaque, p.pixels.size() / 8) << "hardly anything drawn";
        }
}

// The sizes the pages give the buttons are those giflib reads.
TEST_F(ButtonSetsTest, ButtonImageSizesAreThoseOfTheImages) {
    for (int set = 1; set <= kSets; ++set) {
        const auto sizes = ButtonImageSizes(SetFolder(set));
        ASSERT_EQ(sizes.size(), std::size(kRoles)) << SetFolder(set);
        for (size_t role = 0; role < std::size(kRoles); ++role) {
            const Picture& p = sets_[set - 1][role];
            EXPECT_EQ(sizes.at(std::string(kRoles[role]) + ".gif"), (PixelSize{p.width, p.height}))
                << SetFolder(set) << kRoles[role];
        }
    }
}

struct GifHeaderCase {
    const char* name;
    std::string bytes;
    std::optional<PixelSize> size;
};

class GifSizeTest : public testing::TestWithParam<GifHeaderCase> {};

TEST_P(GifSizeTest, ReadsTheDeclaredSizeOrNothing) {
    test::TempDir dir;
    const std::string file = dir / "button.gif";
    test::WriteFile(file, GetParam().bytes);
    EXPECT_EQ(ReadGifSize(file), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, GifSizeTest,
    testing::Values(GifHeaderCase{"Gif89", std::string("GIF89a\x2C\x01\x20\x00\x00", 11), PixelSize{300, 32}},
                    GifHeaderCase{"Gif87", std::string("GIF87a\x28\x00\x24\x00", 10), PixelSize{40, 36}},
                    GifHeaderCase{"Png", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0D", 12), std::nullopt},
                    GifHeaderCase{"Truncated", "GIF89a\x28", std::nullopt},
                    GifHeaderCase{"ZeroWidth", std::string("GIF89a\0\0\x24\0", 10), std::nullopt},
                    GifHeaderCase{"Empty", "", std::nullopt}),
    [](const testing::TestParamInfo<GifHeaderCase>& info) { return info.param.name; });

TEST(GifSizeTest, AMissingFileHasNoSize) { EXPECT_EQ(ReadGifSize("/nonexistent/button.gif"), std::nullopt); }

TEST_F(ButtonSetsTest, TheFiveImagesOfASetShowFiveDifferentThings) {
    for (int set = 1; set <= kSets; ++set)
        for (size_t a = 0; a < std::size(kRoles); ++a)
            for (size_t b = a + 1; b < std::size(kRoles); ++b)
                EXPECT_GT(Difference(sets_[set - 1][a], sets_[set - 1][b]), 0.03)
                    << "set " << set << ": " << kRoles[a] << " and " << kRoles[b];
}

// Every pair of sets differs visibly in every image, not in a few stray pixels.
TEST_F(ButtonSetsTest, NoTwoSetsLookAlike) {
    for (size_t role = 0; role < std::size(kRoles); ++role)
        for (int a = 0; a < kSets; ++a)
            for (int b = a + 1; b < kSets; ++b)
                EXPECT_GT(Difference(sets_[a][role], sets_[b][role]), 0.15)
                    << kRoles[role] << ".gif of sets " << a + 1 << " and " << b + 1;
}

TEST(ButtonSetPageTest, ShowsEveryImageOfEverySetWithItsNumber) {
    const std::string page = test::ReadFile(SetFolder(1) + "test.html");
    ASSERT_FALSE(page.empty()) << SetFolder(1) + "test.html";
    for (int set = 1; set <= kSets; ++set) {
        const std::string nn = PadLeft(std::to_string(set), '0', 2);
        for (const char* role : kRoles)
            EXPECT_NE(page.find("src=\"../" + nn + "/" + role + ".gif\""), std::string::npos)
                << nn << "/" << role;
        std::string number = "<div class=\"number\">";
        number += std::to_string(set);
        number += "</div>";
        EXPECT_NE(page.find(number), std::string::npos) << "number " << set;
    }
    // Links are relative, so the page works wherever the folder is copied.
    EXPECT_EQ(page.find("file:"), std::string::npos);
    EXPECT_EQ(page.find("src=\"/"), std::string::npos);
}

}  // namespace
}  // namespace wexbo
