#include "workspace/source_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "imaging/thumbnail_maker.h"
#include "program_copy.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::vector<std::string> Names(const SourceListing& listing) {
    std::vector<std::string> names;
    for (const SourcePicture& picture : listing.pictures) names.push_back(picture.name);
    return names;
}

TEST(SourceListingTest, ListsPicturesByTheirLastExtensionSortedWithCachedThumbnails) {
    ProgramCopy program;
    TempDir source;
    const std::string photo = ReadFile(program.Folder() + "gal/Gal_0001/kite.jpg");
    for (const char* name : {"b.jpg", "B.JPG", "a.jpg", "Äpfel.jpg", "zebra.jpg", "c.jpeg"})
        WriteFile(source / name, photo);
    WriteFile(source / "x.jpg.bak", "not a picture");
    WriteFile(source / "phone.HEIC", "not a picture either, whatever its name");
    fs::create_directories(source / "old.jpg");
    const SourceListing listing = ListSourceFolder(program.Folder(), source.Path(), 2);
    EXPECT_EQ(Names(listing), (std::vector<std::string>{"a.jpg", "Äpfel.jpg", "b.jpg", "B.JPG", "c.jpeg",
                                                        "old.jpg", "phone.HEIC", "zebra.jpg"}));
    const std::string cache = ThumbnailPath(program.Folder(), source / "a.jpg", true);
    EXPECT_EQ(listing.pictures[0].thumbnailPath, cache);
    EXPECT_TRUE(fs::exists(cache));
    EXPECT_TRUE(fs::exists(ThumbnailPath(program.Folder(), source / "c.jpeg", true)));
    // A listed file that cannot be read gets no thumbnail: the list shows it as broken.
    EXPECT_FALSE(fs::exists(ThumbnailPath(program.Folder(), source / "phone.HEIC", true)));
    EXPECT_EQ(listing.counters.total, 8);
    // "b.jpg" and "B.JPG" share a web name but not their cache thumbnail.
    EXPECT_NE(ThumbnailPath(program.Folder(), source / "b.jpg", true),
              ThumbnailPath(program.Folder(), source / "B.JPG", true));
}

TEST(SourceListingTest, NamesThatAreNotUtf8ComeBackExactly) {
    ProgramCopy program;
    TempDir source;
    WriteFile(source / "caf\xE9.jpg", ReadFile(program.Folder() + "gal/Gal_0001/kite.jpg"));
    const SourceListing listing = ListSourceFolder(program.Folder(), source.Path(), 1);
    EXPECT_EQ(Names(listing), std::vector<std::string>{"caf\xE9.jpg"});
    EXPECT_TRUE(fs::exists(ThumbnailPath(program.Folder(), source / "caf\xE9.jpg", true)));
}

TEST(SourceListingTest, OneThreadAndManyGiveTheSameList) {
    ProgramCopy program;
    const std::string folder = program.Folder() + "gal/Gal_0002/";
    TempDir source;
    for (const auto& entry : fs::directory_iterator(folder))
        fs::copy(entry.path(), source / entry.path().filename().string());
    const SourceListing one = ListSourceFolder(program.Folder(), source.Path(), 1);
    fs::remove_all(program.Folder() + "thumbs");
    const SourceListing many = ListSourceFolder(program.Folder(), source.Path(), 4);
    EXPECT_EQ(Names(one), Names(many));
    ASSERT_EQ(one.pictures.size(), many.pictures.size());
    for (std::size_t i = 0; i < one.pictures.size(); ++i)
        EXPECT_EQ(one.pictures[i].thumbnailPath, many.pictures[i].thumbnailPath);
}

TEST(SourceFolderTest, AlbumRootAndProgramFolderAreRefusedInAnyCase) {
    EXPECT_TRUE(IsForbiddenSourceFolder("/home/u/Slideshow/Gal_0001/", "/home/u/Slideshow/", "/opt/wexbo/"));
    EXPECT_TRUE(IsForbiddenSourceFolder("/home/u/SLIDESHOW", "/home/u/Slideshow/", "/opt/wexbo/"));
    EXPECT_TRUE(IsForbiddenSourceFolder("/opt/wexbo/gal/", "/home/u/Slideshow/", "/opt/wexbo/"));
    EXPECT_FALSE(IsForbiddenSourceFolder("/home/u/Pictures/", "/home/u/Slideshow/", "/opt/wexbo/"));
    EXPECT_FALSE(IsForbiddenSourceFolder("/home/u/Slideshows/", "/home/u/Slideshow/", "/opt/wexbo/"));
}

TEST(VisibleNameTest, AlphabeticalWithCaseOnlyBetweenEqualNames) {
    std::vector<std::string> names = {"b.jpg", "B.jpg", "é.jpg", "a.jpg", "f.jpg", "A.jpg"};
    std::sort(names.begin(), names.end(), VisibleNameLess);
    EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "A.jpg", "b.jpg", "B.jpg", "é.jpg", "f.jpg"}));
}

}  // namespace
}  // namespace wexbo
