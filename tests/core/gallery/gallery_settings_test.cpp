#include "gallery/gallery_settings.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string SettingsFile(const std::string& body) { return "[SETTINGS]\r\n" + body; }

TEST(GallerySettingsTest, MissingFilesAndKeysGiveTheDefaults) {
    TempDir dir;
    WriteFile(dir / "Gallery.ini", SettingsFile("Compression=70\r\n"));
    const GallerySettings s = LoadGallerySettings(dir / "Gallery_Gal_0001.ini", dir / "Gallery.ini");
    GallerySettings expected;
    expected.compression = 70;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.picturesPerRow, 4);
    EXPECT_EQ(s.smallPicX, 80);
    EXPECT_EQ(s.largePicX, 450);
    EXPECT_EQ(s.bkgColor, 16777215);
    EXPECT_EQ(s.textColor, 0);
    EXPECT_EQ(s.buttons, 0);
    EXPECT_FALSE(s.textVisible);
    EXPECT_FALSE(s.shapeVisible);
    EXPECT_EQ(OutputFolderOf(s, "/home/u/Documents"), "/home/u/Documents/HTML-Gallery/");
    EXPECT_EQ(ReadGallerySettings(dir / "nothing.ini"), GallerySettings{});
}

TEST(GallerySettingsTest, TheAlbumsOwnFileWinsOverTheDefaultFile) {
    TempDir dir;
    WriteFile(dir / "Gallery.ini", SettingsFile("SmallPicX=100\r\nLargePicX=500\r\n"));
    const std::string album = AlbumGallerySettingsFile(dir.Path(), "Gal_0003");
    EXPECT_EQ(album, dir / "Gallery_Gal_0003.ini");
    EXPECT_EQ(LoadGallerySettings(album, dir / "Gallery.ini").smallPicX, 100);
    WriteFile(album, SettingsFile("smallpicx=  120  \r\n"));
    const GallerySettings s = LoadGallerySettings(album, dir / "Gallery.ini");
    EXPECT_EQ(s.smallPicX, 120);
    EXPECT_EQ(s.largePicX, 450);  // not taken from the default file
}

TEST(GallerySettingsTest, SaveWritesAllTenKeysAsTheFieldsShowThemAndReadsBack) {
    TempDir dir;
    const std::string file = dir / "Gallery_Gal_0001.ini";
    WriteFile(file, "[OTHER]\r\nKeep=me\r\n");
    GallerySettings s;
    s.picturesPerRow = 3;
    s.smallPicX = 80;
    s.largePicX = 1024;
    s.textColor = 255;
    s.bkgColor = 0;
    s.outputPath = "/srv/www/trip";
    s.buttons = 6;
    s.textVisible = true;
    ASSERT_TRUE(SaveGallerySettings(file, s));
    EXPECT_EQ(ReadFile(file),
              "[OTHER]\r\nKeep=me\r\n\r\n[SETTINGS]\r\nSmallPicX=80  \r\nLargePicX=1024\r\nCompression=80\r\n"
              "PicProRow=3\r\nTextColor=255\r\nBKGColor=0\r\nOutputPath=/srv/www/trip/\r\nButtons=6\r\n"
              "TextVisible=TRUE\r\nShapeVisible=FALSE\r\n");
    GallerySettings expected = s;
    expected.outputPath = "/srv/www/trip/";
    EXPECT_EQ(ReadGallerySettings(file), expected);
    EXPECT_EQ(ButtonSetFolderName(s.buttons), "07");
}

// A classic album's file gains no key; a modern one says so, and going back is written too.
TEST(GallerySettingsTest, ThePageStyleIsStoredOnceItIsNotClassic) {
    TempDir dir;
    const std::string file = dir / "Gallery_Gal_0001.ini";
    GallerySettings s;
    ASSERT_TRUE(SaveGallerySettings(file, s));
    EXPECT_EQ(ReadFile(file).find("PageStyle"), std::string::npos);
    s.pageStyle = PageStyle::Modern;
    ASSERT_TRUE(SaveGallerySettings(file, s));
    EXPECT_NE(ReadFile(file).find("PageStyle=Modern\r\n"), std::string::npos);
    EXPECT_EQ(ReadGallerySettings(file).pageStyle, PageStyle::Modern);
    s.pageStyle = PageStyle::Classic;
    ASSERT_TRUE(SaveGallerySettings(file, s));
    EXPECT_EQ(ReadGallerySettings(file).pageStyle, PageStyle::Classic);
    for (const char* stored : {"modern", "MODERN", " Modern "}) {
        WriteFile(file, std::string("[SETTINGS]\r\nPageStyle=") + stored + "\r\n");
        EXPECT_EQ(ReadGallerySettings(file).pageStyle, PageStyle::Modern) << stored;
    }
    WriteFile(file, "[SETTINGS]\r\nPageStyle=Fancy\r\n");
    EXPECT_EQ(ReadGallerySettings(file).pageStyle, PageStyle::Classic);
}

TEST(GallerySettingsTest, SaveNamesTheFileWhenItCannotBeWritten) {
    TempDir dir;
    WriteFile(dir / "blocker", "a file where a folder should be");
    std::string error;
    EXPECT_FALSE(SaveGallerySettings(dir / "blocker/Gallery_Gal_0001.ini", GallerySettings{}, &error));
    EXPECT_NE(error.find("blocker/Gallery_Gal_0001.ini"), std::string::npos) << error;
}

// A stored value and what it reads as; every other key keeps its default.
struct StoredValue {
    const char* line;
    int GallerySettings::*field;
    int expected;
};

class StoredNumberTest : public testing::TestWithParam<StoredValue> {};

TEST_P(StoredNumberTest, ReadsAsExpected) {
    TempDir dir;
    WriteFile(dir / "g.ini", SettingsFile(std::string(GetParam().line) + "\r\n"));
    EXPECT_EQ(ReadGallerySettings(dir / "g.ini").*GetParam().field, GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(BadNumbersTakeDefaults, StoredNumberTest,
                         testing::Values(StoredValue{"SmallPicX=", &GallerySettings::smallPicX, 80},
                                         StoredValue{"SmallPicX=8O", &GallerySettings::smallPicX, 80},
                                         StoredValue{"SmallPicX=0", &GallerySettings::smallPicX, 80},
                                         StoredValue{"LargePicX=12.5", &GallerySettings::largePicX, 450},
                                         StoredValue{"LargePicX=-450", &GallerySettings::largePicX, 450},
                                         StoredValue{"LargePicX=100000", &GallerySettings::largePicX, 450},
                                         StoredValue{"LargePicX=800 ", &GallerySettings::largePicX, 800},
                                         StoredValue{"Compression=high", &GallerySettings::compression, 80},
                                         StoredValue{"PicProRow=four", &GallerySettings::picturesPerRow, 4},
                                         StoredValue{"PicProRow=0", &GallerySettings::picturesPerRow, 1},
                                         StoredValue{"PicProRow=5", &GallerySettings::picturesPerRow, 5},
                                         StoredValue{"Buttons=-1", &GallerySettings::buttons, 0},
                                         StoredValue{"Buttons=28", &GallerySettings::buttons, 0},
                                         StoredValue{"Buttons=27", &GallerySettings::buttons, 27},
                                         StoredValue{"Buttons=x", &GallerySettings::buttons, 0}));

TEST(GallerySettingsTest, ColoursThatAreNoNumbersTakeTheDefaults) {
    TempDir dir;
    WriteFile(dir / "g.ini", SettingsFile("BKGColor=white\r\nTextColor=\r\n"));
    const GallerySettings s = ReadGallerySettings(dir / "g.ini");
    EXPECT_EQ(s.bkgColor, 16777215);
    EXPECT_EQ(s.textColor, 0);
}

TEST(GallerySettingsTest, OnlyTrueInAnyLetterCaseChecksAnOption) {
    TempDir dir;
    for (const auto& [value, expected] : std::initializer_list<std::pair<const char*, bool>>{
             {"true", true}, {"TrUe", true}, {"TRUE", true}, {"1", false}, {"yes", false}, {"", false}}) {
        WriteFile(dir / "g.ini",
                  SettingsFile(std::string("TextVisible=") + value + "\r\nShapeVisible=" + value + "\r\n"));
        const GallerySettings s = ReadGallerySettings(dir / "g.ini");
        EXPECT_EQ(s.textVisible, expected) << value;
        EXPECT_EQ(s.shapeVisible, expected) << value;
    }
}

TEST(GallerySettingsTest, FoldersOfTheGenerator) {
    EXPECT_EQ(DefaultGallerySettingsFile("/opt/wexbo/"), "/opt/wexbo/Gallery.ini");
    GallerySettings s;
    s.outputPath = "/srv/out";
    EXPECT_EQ(OutputFolderOf(s, "/home/u/Documents"), "/srv/out/");
    EXPECT_EQ(ButtonSetFolderName(-1), "01");
    EXPECT_EQ(ButtonSetFolderName(27), "28");
}

}  // namespace
}  // namespace wexbo
