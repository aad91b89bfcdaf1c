#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "program_copy.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class StartupTest : public testing::Test {
protected:
    StartupTest() {
        // Laid out as when installed: the user's settings, cache and data apart from the shipped data.
        folders.programFolder = program.Folder();
        folders.configFolder = home / ".config/Velmora/Wexbo10/";
        folders.cacheFolder = home / ".cache/Velmora/Wexbo10/";
        folders.dataFolder = home / ".local/share/Velmora/Wexbo10/";
        folders.albumRoot = home / "Slideshow/";
        // A small button set stands in for the shipped ones.
        WriteFile(program.Folder() + "buttons/01/next.gif", "shipped-next");
        WriteFile(program.Folder() + "buttons/02/next.gif", "shipped-next-2");
    }
    ProgramCopy program;
    TempDir home;
    ProgramFolders folders;
};

TEST_F(StartupTest, FirstRunMakesTheAlbumRootWithBothSamples) {
    const PreparationResult result = PrepareProgramFolders(folders);
    ASSERT_TRUE(result.ok) << result.error;
    for (const char* name : {"Gal_0001/Bildano.ini", "Gal_0001/Pictures.ini", "Gal_0002/Pictures.ini",
                             "del/Bildano.ini", "del/Pictures.ini"})
        EXPECT_TRUE(fs::is_regular_file(folders.albumRoot + name)) << name;
    EXPECT_EQ(ReadFile(folders.albumRoot + "Gal_0001/Pictures.ini"),
              ReadFile(program.Folder() + "gal/Gal_0001/Pictures.ini"));
    EXPECT_TRUE(fs::is_directory(folders.cacheFolder + "thumbs"));
    EXPECT_TRUE(fs::is_directory(folders.cacheFolder + "gallery"));
    EXPECT_EQ(ReadFile(folders.configFolder + "Generator.ini"), ReadFile(program.Folder() + "Generator.ini"));
    EXPECT_EQ(ReadFile(folders.dataFolder + "buttons/02/next.gif"), "shipped-next-2");
}

TEST_F(StartupTest, SecondRunKeepsAlbumsRefreshesDelAndNeverReplacesButtons) {
    ASSERT_TRUE(PrepareProgramFolders(folders).ok);
    WriteFile(folders.albumRoot + "Gal_0001/Pictures.ini", "mine.jpg | my caption\r\n");
    WriteFile(folders.albumRoot + "Gal_0003/Bildano.ini", "[BILDANO]\r\nTitel=Trip\r\n");
    WriteFile(folders.albumRoot + "del/Pictures.ini", "stale.jpg\r\n");
    WriteFile(folders.dataFolder + "buttons/01/next.gif", "user-edited");
    fs::remove(folders.dataFolder + "buttons/02/next.gif");
    WriteFile(program.Folder() + "buttons/01/next.gif", "newer-shipped");

    ASSERT_TRUE(PrepareProgramFolders(folders).ok);
    EXPECT_EQ(ReadFile(folders.albumRoot + "Gal_0001/Pictures.ini"), "mine.jpg | my caption\r\n");
    EXPECT_TRUE(fs::exists(folders.albumRoot + "Gal_0003/Bildano.ini"));
    EXPECT_EQ(ReadFile(folders.albumRoot + "del/Pictures.ini"), "");
    EXPECT_EQ(ReadFile(folders.dataFolder + "buttons/01/next.gif"), "user-edited");
    // A set file missing from the data folder is added again, so no gallery points at nothing.
    EXPECT_EQ(ReadFile(folders.dataFolder + "buttons/02/next.gif"), "shipped-next-2");
}

TEST_F(StartupTest, AFolderThatCannotBeMadeIsReportedAndStopsThePreparation) {
    WriteFile(home / "Slideshow", "a file where the album root should be");
    const PreparationResult result = PrepareProgramFolders(folders);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(home / "Slideshow"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(folders.dataFolder + "buttons"));  // later steps skipped
}

TEST(ShutdownTest, DeletesLeftoversButNothingElse) {
    TempDir program;
    for (const char* name :
         {"UNDO1.jpg", "UNDO22.jpg", "Temp.jpg", "prev.jpg", "Print.txt", "keep.jpg", "Generator.ini"})
        WriteFile(program / name, "x");
    DeleteLeftovers(program.Path());
    EXPECT_FALSE(fs::exists(program / "UNDO1.jpg"));
    EXPECT_FALSE(fs::exists(program / "UNDO22.jpg"));
    EXPECT_FALSE(fs::exists(program / "Temp.jpg"));
    EXPECT_FALSE(fs::exists(program / "Print.txt"));
    EXPECT_TRUE(fs::exists(program / "keep.jpg"));
    EXPECT_TRUE(fs::exists(program / "Generator.ini"));
}

TEST(ConvertedCopiesTest, OnlyCopiesTheProgramRecordedAreDeleted) {
    TempDir source;
    WriteFile(source / "scan_TIFF.jpg", "the user's own photo");
    WriteFile(source / "made_GIF.jpg", "a copy the program made");
    WriteFile(source / "sub/made_BMP.jpg", "another folder");
    ConvertedCopies copies;
    copies.Record(source / "made_GIF.jpg");
    copies.Record(source / "sub/made_BMP.jpg");
    EXPECT_EQ(copies.DeleteConvertedCopies(source.Path()), 1);
    EXPECT_TRUE(fs::exists(source / "scan_TIFF.jpg"));
    EXPECT_FALSE(fs::exists(source / "made_GIF.jpg"));
    EXPECT_TRUE(fs::exists(source / "sub/made_BMP.jpg"));
}

}  // namespace
}  // namespace wexbo
