#include "app/program_settings.h"

#include <gtest/gtest.h>

#include "temp_dir.h"
#include "util/ini_file.h"

namespace wexbo {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(ProgramSettingsTest, RoundTripUpperCasesTheDriveAndCarriesTheColours) {
    TempDir dir;
    WriteFile(dir / "Generator.ini",
              "[SETTINGS]\r\nLanguage=ITALIAN\r\nDrive=d\r\nBKGColor=255\r\nDefaultTime=7\r\n"
              "SourcePicturesPath=/home/u/pics\r\n");
    ProgramSettings settings = LoadProgramSettings(dir.Path());
    EXPECT_EQ(settings.drive, "D");
    EXPECT_EQ(settings.backgroundColor, 255);
    EXPECT_EQ(settings.textColor, 0);
    EXPECT_EQ(settings.displayTime, "7");
    EXPECT_EQ(settings.sourceFolder, "/home/u/pics/");
    ASSERT_TRUE(SaveProgramSettings(dir.Path(), settings));
    const IniFile saved(dir / "Generator.ini");
    EXPECT_EQ(saved.ReadString("SETTINGS", "Drive", ""), "D");
    EXPECT_EQ(saved.ReadString("SETTINGS", "BKGColor", ""), "255");
    EXPECT_EQ(saved.ReadString("SETTINGS", "TextColor", ""), "0");       // missing: written back as 0
    EXPECT_EQ(saved.ReadString("SETTINGS", "Language", ""), "ITALIAN");  // never touched
    EXPECT_EQ(saved.ReadString("SETTINGS", "SourcePicturesPath", ""), "/home/u/pics/");
}

struct WidthsCase {
    const char* stored;
    std::vector<int> widths;
};
class WorkPanelWidthsTest : public testing::TestWithParam<WidthsCase> {};

// The column widths come back as they were left; anything else is ignored, never half used.
TEST_P(WorkPanelWidthsTest, ReadBackOrIgnored) {
    TempDir dir;
    WriteFile(dir / "Generator.ini",
              std::string("[SETTINGS]\r\nWorkPanelWidths=") + GetParam().stored + "\r\n");
    EXPECT_EQ(LoadProgramSettings(dir.Path()).workPanelWidths, GetParam().widths);
}
INSTANTIATE_TEST_SUITE_P(Cases, WorkPanelWidthsTest,
                         testing::Values(WidthsCase{"220,560,300", {220, 560, 300}},
                                         WidthsCase{" 220 , 560 , 300 ", {220, 560, 300}}, WidthsCase{"", {}},
                                         WidthsCase{"220,560", {}}, WidthsCase{"220,0,300", {}},
                                         WidthsCase{"220,-5,300", {}}, WidthsCase{"a,b,c", {}},
                                         WidthsCase{"1,2,3,4", {}}));

TEST(ProgramSettingsTest, WorkPanelWidthsAreWrittenOnlyOnceSet) {
    TempDir dir;
    WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nLanguage=ENGLISH\r\n");
    ProgramSettings settings = LoadProgramSettings(dir.Path());
    ASSERT_TRUE(SaveProgramSettings(dir.Path(), settings));
    EXPECT_EQ(IniFile::Read(dir / "Generator.ini", "SETTINGS", "WorkPanelWidths", "none"), "none");
    settings.workPanelWidths = {250, 600, 320};
    ASSERT_TRUE(SaveProgramSettings(dir.Path(), settings));
    EXPECT_EQ(LoadProgramSettings(dir.Path()).workPanelWidths, (std::vector<int>{250, 600, 320}));
}

TEST(ProgramSettingsTest, SourceFolderEqualToTheProgramFolderBecomesTheRoot) {
    TempDir dir;
    std::string upper = dir.Path();
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    WriteFile(dir / "Generator.ini",
              "[SETTINGS]\r\nSourcePicturesPath=" + upper.substr(0, upper.size() - 1) + "\r\n");
    EXPECT_EQ(LoadProgramSettings(dir.Path()).sourceFolder, "/");
    WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nSourcePicturesPath=\r\n");
    EXPECT_EQ(LoadProgramSettings(dir.Path()).sourceFolder, "");
}

TEST(ProgramSettingsTest, AlbumRootFollowsTheLanguageAndNeedsNoDrive) {
    EXPECT_EQ(AlbumRootFor("/home/u", Language::German), "/home/u/Bildano/");
    for (Language language : {Language::English, Language::French, Language::Italian, Language::Spanish})
        EXPECT_EQ(AlbumRootFor("/home/u", language), "/home/u/Slideshow/");
}

}  // namespace
}  // namespace wexbo
