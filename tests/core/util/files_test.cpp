#include "util/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "temp_dir.h"
#include "util/windows_info.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(EnsureFolderTest, CreatesMissingParentsAndTellsIfItWasThere) {
    TempDir dir;
    EXPECT_TRUE(EnsureFolder(dir / "a/b/c"));
    EXPECT_TRUE(fs::is_directory(dir / "a/b/c"));
    EXPECT_FALSE(EnsureFolder(dir / "a/b/c"));
    EXPECT_THROW(EnsureFolder(""), std::invalid_argument);
}

TEST(DeleteFilesTest, DeletesMatchingFilesIncludingReadOnlyButNoFolders) {
    TempDir dir;
    WriteFile(dir / "UNDO1.jpg", "x");
    WriteFile(dir / "undo22.JPG", "x");
    WriteFile(dir / "keep.jpg", "x");
    fs::create_directory(dir / "UNDO3.jpg");
    ::chmod((dir / "UNDO1.jpg").c_str(), 0444);
    EXPECT_TRUE(DeleteFiles(dir / "UNDO*.jpg"));
    EXPECT_FALSE(fs::exists(dir / "UNDO1.jpg"));
    EXPECT_FALSE(fs::exists(dir / "undo22.JPG"));
    EXPECT_TRUE(fs::exists(dir / "keep.jpg"));
    EXPECT_TRUE(fs::is_directory(dir / "UNDO3.jpg"));
    EXPECT_FALSE(DeleteFiles(dir / "nothing*.txt"));
}

TEST(DeleteFilesTest, StarDotStarEmptiesAFolderOfFiles) {
    TempDir dir;
    WriteFile(dir / "work/a.html", "x");
    WriteFile(dir / "work/noext", "x");
    EXPECT_TRUE(DeleteFiles(dir / "work/*.*"));
    EXPECT_TRUE(fs::is_empty(dir / "work"));
}

TEST(ClearReadOnlyTest, ReportsAndClearsTheBit) {
    TempDir dir;
    WriteFile(dir / "f", "x");
    EXPECT_FALSE(ClearReadOnly(dir / "f"));
    ::chmod((dir / "f").c_str(), 0444);
    EXPECT_TRUE(ClearReadOnly(dir / "f"));
    EXPECT_NE(fs::status(dir / "f").permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST(FileOperationTest, CopiesAFolderTreeByWildcardAndOverwrites) {
    TempDir dir;
    WriteFile(dir / "src/a.jpg", "new");
    WriteFile(dir / "src/sub/b.txt", "b");
    WriteFile(dir / "dst/a.jpg", "old");
    EXPECT_TRUE(CopyFolder(dir / "src/*.*", dir / "dst", true));
    EXPECT_EQ(ReadFile(dir / "dst/a.jpg"), "new");
    EXPECT_EQ(ReadFile(dir / "dst/sub/b.txt"), "b");
}

TEST(FileOperationTest, OperationNameIgnoresCaseAndUnknownNamesFail) {
    TempDir dir;
    WriteFile(dir / "a.txt", "a");
    EXPECT_TRUE(FileOperation("copy", false, true, true, true, dir / "a.txt", dir / "b.txt"));
    EXPECT_EQ(ReadFile(dir / "b.txt"), "a");
    EXPECT_TRUE(FileOperation("Rename", false, true, true, true, dir / "b.txt", dir / "c.txt"));
    EXPECT_FALSE(fs::exists(dir / "b.txt"));
    EXPECT_TRUE(FileOperation("MOVE", false, true, true, true, dir / "c.txt", dir / "d.txt"));
    EXPECT_EQ(ReadFile(dir / "d.txt"), "a");
    EXPECT_FALSE(FileOperation("SHRED", false, true, true, true, dir / "d.txt", dir / "e.txt"));
    EXPECT_TRUE(FileOperation("DELETE", false, true, true, true, dir / "d.txt", ""));
    EXPECT_FALSE(fs::exists(dir / "d.txt"));
}

TEST(FileOperationTest, CollisionsAskForPermissionOrANewName) {
    TempDir dir;
    WriteFile(dir / "a.txt", "new");
    WriteFile(dir / "b.txt", "old");
    EXPECT_FALSE(FileOperation("COPY", false, false, true, true, dir / "a.txt", dir / "b.txt"));
    EXPECT_EQ(ReadFile(dir / "b.txt"), "old");
    EXPECT_TRUE(FileOperation("COPY", true, false, true, true, dir / "a.txt", dir / "b.txt"));
    EXPECT_EQ(ReadFile(dir / "b.txt"), "old");
    EXPECT_EQ(ReadFile(dir / "b (2).txt"), "new");
}

TEST(FileOperationTest, SourceInAMissingFolderTouchesNothing) {
    TempDir dir;
    EXPECT_FALSE(CopyFolder(dir / "missing/*.*", dir / "dst", true));
    EXPECT_FALSE(fs::exists(dir / "dst"));
}

TEST(DeleteFolderTest, RemovesTheTreeWithOrWithoutTrailingSlash) {
    TempDir dir;
    WriteFile(dir / "a/x/y.txt", "y");
    WriteFile(dir / "b/z.txt", "z");
    WriteFile(dir / "ab/keep.txt", "k");
    EXPECT_TRUE(DeleteFolder(dir / "a/", true));
    EXPECT_TRUE(DeleteFolder(dir / "b", true));
    EXPECT_FALSE(fs::exists(dir / "a"));
    EXPECT_FALSE(fs::exists(dir / "b"));
    EXPECT_TRUE(fs::exists(dir / "ab/keep.txt"));
    EXPECT_FALSE(DeleteFolder(dir / "a", true));
}

TEST(WriteFileAtomicallyTest, ReplacesWholeOrLeavesTheOldFile) {
    TempDir dir;
    WriteFile(dir / "f.ini", "old");
    EXPECT_TRUE(WriteFileAtomically(dir / "f.ini", "new"));
    EXPECT_EQ(ReadFile(dir / "f.ini"), "new");
    // A regular file where the folder should be makes the write fail (chmod does not stop root).
    WriteFile(dir / "blocker", "x");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(dir / "blocker/f.ini", "new", &error));
    EXPECT_NE(error.find("blocker"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()),
              2);  // no temp left
}

// A new file is written straight; one that is there is replaced by a new file, so a second link to
// it (a published gallery file) keeps its bytes.
TEST(WriteNewFileTest, NeverChangesAFileThatIsThereInPlace) {
    TempDir dir;
    EXPECT_TRUE(WriteNewFile(dir / "a.jpg", "first"));
    EXPECT_EQ(ReadFile(dir / "a.jpg"), "first");
    std::filesystem::create_hard_link(dir / "a.jpg", dir / "published.jpg");
    EXPECT_TRUE(WriteNewFile(dir / "a.jpg", "second"));
    EXPECT_EQ(ReadFile(dir / "a.jpg"), "second");
    EXPECT_EQ(ReadFile(dir / "published.jpg"), "first");
    std::string error;
    EXPECT_FALSE(WriteNewFile(dir / "missing/a.jpg", "x", &error));
    EXPECT_NE(error.find("missing/a.jpg"), std::string::npos) << error;
}

TEST(WriteFileInPlaceTest, LeavesExactlyTheNewContent) {
    TempDir dir;
    EXPECT_TRUE(WriteFileInPlace(dir / "page.ht1", "a longer first text"));
    EXPECT_TRUE(WriteFileInPlace(dir / "page.ht1", "short"));  // nothing of the old tail remains
    EXPECT_EQ(ReadFile(dir / "page.ht1"), "short");
    EXPECT_TRUE(WriteFileInPlace(dir / "page.ht1", ""));
    EXPECT_EQ(ReadFile(dir / "page.ht1"), "");
    WriteFile(dir / "blocker", "x");
    std::string error;
    EXPECT_FALSE(WriteFileInPlace(dir / "blocker/page.ht1", "new", &error));
    EXPECT_NE(error.find("blocker/page.ht1"), std::string::npos) << error;
}

TEST(WindowsInfoTest, FollowsTheXdgFoldersAndHome) {
    ::setenv("HOME", "/home/u", 1);
    ::unsetenv("XDG_DOCUMENTS_DIR");
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) ::unsetenv(name);
    ::setenv("TMPDIR", "/var/tmp/", 1);
    TWindowsInfo info = TWindowsInfo::FromEnvironment();
    EXPECT_EQ(info.DocumentsFolder, "/home/u/Documents");
    EXPECT_EQ(info.AppDataFolder, "/home/u/.local/share");
    EXPECT_EQ(info.ConfigFolder, "/home/u/.config");
    EXPECT_EQ(info.CacheFolder, "/home/u/.cache");
    EXPECT_EQ(info.TempFolder, "/var/tmp/");
    ::setenv("XDG_DOCUMENTS_DIR", "/data/docs/", 1);
    ::setenv("XDG_DATA_HOME", "/data/share", 1);
    ::setenv("XDG_CONFIG_HOME", "/data/conf/", 1);
    ::setenv("XDG_CACHE_HOME", "/data/cache", 1);
    ::unsetenv("TMPDIR");
    info = TWindowsInfo::FromEnvironment();
    EXPECT_EQ(info.DocumentsFolder, "/data/docs");
    EXPECT_EQ(info.AppDataFolder, "/data/share");
    EXPECT_EQ(info.ConfigFolder, "/data/conf");
    EXPECT_EQ(info.CacheFolder, "/data/cache");
    EXPECT_EQ(info.TempFolder, "/tmp/");
}

}  // namespace
}  // namespace wexbo
