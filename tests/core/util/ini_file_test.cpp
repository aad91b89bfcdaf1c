#include "util/ini_file.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(IniFileTest, SectionsAndKeysIgnoreCaseAndMissingKeysGiveTheDefault) {
    TempDir dir;
    WriteFile(dir / "g.ini",
              "; comment\r\n[Settings]\r\n  Language = GERMAN \r\nSmallPicX=80  \r\n[other]\r\nx=1\r\n");
    IniFile ini(dir / "g.ini");
    EXPECT_EQ(ini.ReadString("SETTINGS", "language", "none"), "GERMAN");
    EXPECT_EQ(ini.ReadInteger("settings", "SMALLPICX", 0), 80);
    EXPECT_EQ(ini.ReadString("SETTINGS", "x", "def"), "def");  // belongs to another section
    EXPECT_EQ(ini.ReadString("missing", "x", "def"), "def");
    EXPECT_TRUE(ini.Existed());
    EXPECT_FALSE(IniFile(dir / "none.ini").Existed());
}

TEST(IniFileTest, NumbersAndBooleansFallBackOnBadText) {
    TempDir dir;
    WriteFile(dir / "g.ini", "[S]\nn=8x\nempty=\nb1=true\nb2=False\nb3=yes\n");
    IniFile ini(dir / "g.ini");
    EXPECT_EQ(ini.ReadInteger("S", "n", 4), 4);
    EXPECT_EQ(ini.ReadInteger("S", "empty", 450), 450);
    EXPECT_TRUE(ini.ReadBool("S", "b1", false));
    EXPECT_FALSE(ini.ReadBool("S", "b2", true));
    EXPECT_TRUE(ini.ReadBool("S", "b3", true));
    EXPECT_FALSE(ini.ReadBool("S", "b3", false));
}

TEST(IniFileTest, WritingOneKeyKeepsTheRestOfTheFile) {
    TempDir dir;
    WriteFile(dir / "g.ini", "; keep me\n[SETTINGS]\nLanguage=GERMAN\nDrive=C\n\n[Other]\nk=v\n");
    ASSERT_TRUE(IniFile::Write(dir / "g.ini", "settings", "DRIVE", "D"));
    ASSERT_TRUE(IniFile::Write(dir / "g.ini", "SETTINGS", "DefaultTime", "5"));
    ASSERT_TRUE(IniFile::Write(dir / "g.ini", "New", "a", "b"));
    EXPECT_EQ(
        ReadFile(dir / "g.ini"),
        "; keep me\r\n[SETTINGS]\r\nLanguage=GERMAN\r\nDRIVE=D\r\nDefaultTime=5\r\n\r\n[Other]\r\nk=v\r\n"
        "\r\n[New]\r\na=b\r\n");
}

TEST(IniFileTest, CreatesAMissingFileAndReadsWindows1252) {
    TempDir dir;
    ASSERT_TRUE(IniFile::Write(dir / "new.ini", "BILDANO", "Titel", "Müller"));
    EXPECT_EQ(ReadFile(dir / "new.ini"), "[BILDANO]\r\nTitel=Müller\r\n");
    WriteFile(dir / "old.ini", "[BILDANO]\r\nTitel=M\xFCller \x80 5\r\n");  // written by an old version
    EXPECT_EQ(IniFile::Read(dir / "old.ini", "bildano", "titel", ""), "Müller € 5");
}

}  // namespace
}  // namespace wexbo
