#include "util/private_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "temp_dir.h"
#include "util/files.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(PrivateFolderTest, EachIsNewOnlyItsUsersAndGoesWithEverythingInIt) {
    TempDir temp;
    WriteFile(temp / "gallery/someone_elses.html", "not ours");
    std::string first;
    {
        const PrivateFolder a(temp.Path()), b(temp.Path());
        first = a.Path();
        ASSERT_FALSE(a.Path().empty()) << a.Error();
        EXPECT_NE(a.Path(), b.Path());
        EXPECT_EQ(a.Path().rfind(temp / "wexbo-", 0), 0u) << a.Path();
        struct stat info {};
        ASSERT_EQ(::stat(a.Path().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        WriteFile(a.Path() + "gallery/page.html", "work");
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::exists(temp / "gallery/someone_elses.html"));
}

TEST(PrivateFolderTest, ATemporaryFolderThatCannotHoldOneIsNamedInTheError) {
    TempDir temp;
    WriteFile(temp / "file", "a file where the folder should be");
    const PrivateFolder folder(temp / "file");
    EXPECT_TRUE(folder.Path().empty());
    EXPECT_NE(folder.Error().find(temp / "file/"), std::string::npos) << folder.Error();
}

}  // namespace
}  // namespace wexbo
