#include "app/program_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TWindowsInfo User(const TempDir& home) {
    TWindowsInfo user;
    user.AppDataFolder = home / ".local/share";
    user.ConfigFolder = home / "conf";
    user.CacheFolder = home / "cache";
    return user;
}

// Run from a build tree (or any folder without an installed layout), everything but the data
// stays beside the executable, as it always did.
TEST(ProgramFoldersTest, ABuildTreeKeepsEverythingBesideTheExecutable) {
    TempDir tree, home;
    WriteFile(tree / "bin/Language.ini", "[ENGLISH]\r\n");
    const ProgramFolders folders = LocateProgramFolders(tree / "bin", User(home));
    for (const std::string& folder :
         {folders.programFolder, folders.configFolder, folders.cacheFolder, folders.moduleFolder})
        EXPECT_EQ(folder, tree / "bin/");
    EXPECT_EQ(folders.dataFolder, home / ".local/share/Velmora/Wexbo10/");
}

// Installed under any prefix, the shipped data and the module are found from the executable's
// own place, and each user's files go to that user's XDG folders.
TEST(ProgramFoldersTest, AnInstalledTreeIsFoundFromTheExecutableAndKeepsUsersApart) {
    TempDir prefix, first, second;
    WriteFile(prefix / "share/wexbo/Language.ini", "[ENGLISH]\r\n");
    fs::create_directories(prefix / "bin");
    const ProgramFolders one = LocateProgramFolders(prefix / "bin/", User(first));
    EXPECT_EQ(one.programFolder, prefix / "share/wexbo/");
    EXPECT_EQ(one.moduleFolder, prefix / "lib/wexbo/");
    EXPECT_EQ(one.configFolder, first / "conf/Velmora/Wexbo10/");
    EXPECT_EQ(one.cacheFolder, first / "cache/Velmora/Wexbo10/");
    EXPECT_EQ(one.dataFolder, first / ".local/share/Velmora/Wexbo10/");
    const ProgramFolders two = LocateProgramFolders(prefix / "bin/", User(second));
    EXPECT_EQ(two.programFolder, one.programFolder);
    EXPECT_EQ(two.configFolder, second / "conf/Velmora/Wexbo10/");
}

// The first settings come from the shipped file; a user's own settings are never replaced.
TEST(ProgramFoldersTest, TheShippedSettingsAreCopiedOnlyWhereThereAreNone) {
    TempDir prefix, home;
    WriteFile(prefix / "share/wexbo/Language.ini", "[ENGLISH]\r\n");
    WriteFile(prefix / "share/wexbo/Generator.ini", "[SETTINGS]\r\nLanguage=ENGLISH\r\n");
    fs::permissions(prefix / "share/wexbo/Generator.ini", fs::perms::owner_read, fs::perm_options::replace);
    const ProgramFolders folders = LocateProgramFolders(prefix / "bin/", User(home));
    ASSERT_EQ(PrepareConfigFolder(folders), "");
    EXPECT_EQ(ReadFile(folders.configFolder + "Generator.ini"), "[SETTINGS]\r\nLanguage=ENGLISH\r\n");
    WriteFile(folders.configFolder + "Generator.ini", "[SETTINGS]\r\nLanguage=ITALIAN\r\n");  // writable
    ASSERT_EQ(PrepareConfigFolder(folders), "");
    EXPECT_EQ(ReadFile(folders.configFolder + "Generator.ini"), "[SETTINGS]\r\nLanguage=ITALIAN\r\n");

    WriteFile(home / "blocked", "a file where the settings folder should be");
    ProgramFolders blocked = folders;
    blocked.configFolder = home / "blocked/Velmora/";
    EXPECT_NE(PrepareConfigFolder(blocked).find(home / "blocked/Velmora/"), std::string::npos);
}

}  // namespace
}  // namespace wexbo
