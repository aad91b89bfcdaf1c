#include "imaging/thumbnail_maker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "app/language_table.h"
#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"
#include "temp_dir.h"
#include "util/ini_file.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::At;
using test::MakeJpeg;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A program folder with the shipped texts, the thumbnail cache and a picture folder.
class ThumbnailTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(std::string(WEXBO_SOURCE_DATA_DIR) + "Language.ini", program_ / "Language.ini");
        IniFile::Write(program_ / "Generator.ini", "SETTINGS", "Language", "ENGLISH");
        fs::create_directory(program_ / "thumbs");
    }

    std::string Picture(const std::string& name, int w, int h) {
        const std::string path = pictures_ / name;
        WriteFile(path, MakeJpeg(test::PhotoLike(w, h)));
        return path;
    }

    // The size of a saved thumbnail, 0 × 0 when there is none.
    static std::pair<int, int> SizeOf(const std::string& path) {
        if (!fs::exists(path)) return {0, 0};
        TLEADImage image;
        image.Load(path);
        return {image.Width(), image.Height()};
    }

    TempDir program_;
    TempDir pictures_;
};

TEST_F(ThumbnailTest, PathsInTheCacheAndBesideAlbumPictures) {
    const std::string cached = ThumbnailPath("/prog/", "/pics/Summer 1.JPG", true);
    EXPECT_EQ(cached.rfind("/prog/thumbs/xpicsxsummer_1_jpg_", 0), 0u) << cached;
    EXPECT_EQ(cached.size(), std::string("/prog/thumbs/xpicsxsummer_1_jpg_").size() + 16 + 4) << cached;
    // Names that share a web name keep their own cache files.
    EXPECT_NE(ThumbnailPath("/prog/", "/pics/Photo.JPG", true),
              ThumbnailPath("/prog/", "/pics/photo.jpg", true));
    EXPECT_EQ(ThumbnailPath("/prog/", "/pics/Photo.JPG", true),
              ThumbnailPath("/prog/", "/pics/Photo.JPG", true));
    EXPECT_EQ(ThumbnailPath("/prog/", "/home/u/Slideshow/Gal_0001/beach.jpg", false),
              "/home/u/Slideshow/Gal_0001/_THUMB_beach.jpg");
    // Another folder, another cache file.
    EXPECT_NE(ThumbnailPath("/prog/", "/a/x.jpg", true), ThumbnailPath("/prog/", "/b/x.jpg", true));
}

struct SizeCase {
    int w, h, thumbW;
};

class ThumbnailSizeTest : public ThumbnailTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ThumbnailSizeTest, SeventyHighWidthRoundedHalfToEven) {
    const std::string picture = Picture("p.jpg", GetParam().w, GetParam().h);
    EXPECT_TRUE(MakeThumbnail(program_.Path(), picture, 70, false, false, {}));
    EXPECT_EQ(SizeOf(pictures_ / "_THUMB_p.jpg"), std::make_pair(GetParam().thumbW, 70));
}

INSTANTIATE_TEST_SUITE_P(Rule, ThumbnailSizeTest,
                         ::testing::Values(SizeCase{1000, 750, 93},  // 93.33
                                           SizeCase{750, 1000, 52},  // 52.5 goes to the even 52
                                           SizeCase{1600, 1200, 93}, SizeCase{1200, 1600, 52},
                                           SizeCase{70, 1, 4900}, SizeCase{3000, 2000, 105}),
                         [](const auto& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

TEST_F(ThumbnailTest, TheThumbnailIsFramed) {
    const std::string picture = Picture("p.jpg", 1000, 750);
    MakeThumbnail(program_.Path(), picture, 70, false, false, {});
    TLEADImage thumb;
    thumb.Load(pictures_ / "_THUMB_p.jpg");
    const auto pic = thumb.Snapshot();
    EXPECT_PRED3(test::Near, At(*pic, 0, 69), test::kWhite, 12);           // corner square
    EXPECT_PRED3(test::Near, At(*pic, 92, 69), (Rgb{234, 234, 234}), 12);  // shadow
    EXPECT_PRED3(test::Near, At(*pic, 3, 35), test::kWhite, 12);           // inner band
}

TEST_F(ThumbnailTest, SkippedWhenPresentUnlessForced) {
    const std::string picture = Picture("p.jpg", 1000, 750);
    const std::string thumb = ThumbnailPath(program_.Path(), picture, true);
    WriteFile(thumb, "existing");
    int reports = 0;
    ThumbnailReporter reporter{[&](const std::string&, int) { ++reports; },
                               [&](const std::string&) { ++reports; }, Texts()};
    EXPECT_FALSE(MakeThumbnail(program_.Path(), picture, 70, true, false, {3, 12}, &reporter));
    EXPECT_EQ(ReadFile(thumb), "existing");
    EXPECT_EQ(reports, 0);

    EXPECT_TRUE(MakeThumbnail(program_.Path(), picture, 70, true, true, {3, 12}, &reporter));
    EXPECT_EQ(SizeOf(thumb), std::make_pair(93, 70));
    EXPECT_EQ(reports, 2);
}

struct ProgressCase {
    int current, total, percent;
};

class ThumbnailProgressTest : public ThumbnailTest, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ThumbnailProgressTest, StatusTextBeforeAndFertigAfter) {
    const std::string picture = Picture("p.jpg", 200, 150);
    std::vector<std::string> texts;
    int bar = -1;
    ThumbnailReporter reporter{[&](const std::string& text, int percent) {
                                   texts.push_back(text);
                                   bar = percent;
                                   // The thumbnail is not there yet while the text shows.
                                   EXPECT_FALSE(fs::exists(ThumbnailPath(program_.Path(), picture, true)));
                               },
                               [&](const std::string& text) { texts.push_back(text); },
                               LoadProgramTexts(program_.Path(), program_.Path())};
    EXPECT_TRUE(MakeThumbnail(program_.Path(), picture, 70, true, false,
                              {GetParam().current, GetParam().total}, &reporter));
    const std::string pct = std::to_string(GetParam().percent);
    EXPECT_EQ(texts, (std::vector<std::string>{"Creating thumbnails: " + pct + " %", "Fertig"}));
    EXPECT_EQ(bar, GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Counters, ThumbnailProgressTest,
                         ::testing::Values(ProgressCase{3, 12, 25}, ProgressCase{0, 0, 0},
                                           ProgressCase{5, 0, 0},
                                           ProgressCase{1, 8, 12},  // 12.5 goes to the even 12
                                           ProgressCase{3, 8, 38},  // 37.5 goes to the even 38
                                           ProgressCase{12, 12, 100}),
                         [](const auto& info) {
                             return std::to_string(info.param.current) + "of" +
                                    std::to_string(info.param.total);
                         });

TEST_F(ThumbnailTest, UnreadablePictureOrUnwritableThumbnailIsPassedOverSilently) {
    WriteFile(pictures_ / "broken.jpg", "not a picture");
    std::vector<std::string> texts;
    ThumbnailReporter reporter{[&](const std::string& text, int) { texts.push_back(text); },
                               [&](const std::string& text) { texts.push_back(text); }, Texts()};
    EXPECT_FALSE(MakeThumbnail(program_.Path(), pictures_ / "broken.jpg", 70, false, false, {}, &reporter));
    EXPECT_FALSE(fs::exists(pictures_ / "_THUMB_broken.jpg"));
    EXPECT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts.back(), "Fertig");

    // The cache folder is a file: the thumbnail cannot be written.
    fs::remove(program_ / "thumbs");
    WriteFile(program_ / "thumbs", "in the way");
    const std::string picture = Picture("good.jpg", 400, 300);
    EXPECT_FALSE(MakeThumbnail(program_.Path(), picture, 70, true, false, {}));
    EXPECT_EQ(ReadFile(program_ / "thumbs"), "in the way");
}

TEST_F(ThumbnailTest, WorkerThreadsMakeTheSameThumbnailsAsOneThread) {
    std::vector<std::string> pictures;
    for (int i = 0; i < 8; ++i) {
        const std::string name = std::to_string(i) + ".jpg";
        pictures.push_back(Picture(name, 300 + 50 * i, 400 - 20 * i));
    }
    for (const auto& p : pictures) ASSERT_TRUE(MakeThumbnail(program_.Path(), p, 70, true, false, {}));
    std::vector<std::string> once;
    for (const auto& p : pictures) once.push_back(ReadFile(ThumbnailPath(program_.Path(), p, true)));

    std::vector<std::thread> threads;
    std::vector<int> made(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = t; i < 8; i += 4)
                made[t] += MakeThumbnail(program_.Path(), pictures[i], 70, true, true, {i, 7});
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(made, (std::vector<int>{2, 2, 2, 2}));
    for (std::size_t i = 0; i < pictures.size(); ++i)
        EXPECT_EQ(ReadFile(ThumbnailPath(program_.Path(), pictures[i], true)), once[i]) << i;
}

}  // namespace
}  // namespace wexbo
