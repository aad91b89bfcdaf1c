#include "gallery/gallery_source.h"

#include <gtest/gtest.h>

#include "gallery_fixtures.h"

namespace wexbo {
namespace {

using test::FolderListing;
using test::TempDir;
using test::WriteFile;

std::vector<std::pair<std::string, std::string>> Listed(const GallerySource& source) {
    std::vector<std::pair<std::string, std::string>> pictures;
    for (const GalleryPicture& picture : source.pictures)
        pictures.emplace_back(picture.path, picture.caption);
    return pictures;
}

using Pictures = std::vector<std::pair<std::string, std::string>>;

TEST(GallerySourceTest, AnAlbumGivesItsTitleAndPicturesInAlbumOrderWithoutWritingAnything) {
    TempDir dir;
    const std::string album = dir / "Gal_0004/";
    WriteFile(album + "Bildano.ini", "[BILDANO]\r\nTitel=  Summer trip  \r\nTime=5\r\n");
    WriteFile(album + "Pictures.ini", "zeta.jpg | Last > first\r\ngone.jpg | missing\r\nalpha.jpg\r\n");
    WriteFile(album + "zeta.jpg", "z");
    WriteFile(album + "alpha.jpg", "a");
    WriteFile(album + "beta.jpg", "not in the list");
    const std::string before = FolderListing(album);
    GallerySource source;
    std::string error;
    ASSERT_TRUE(ReadGallerySource(dir / "Gal_0004", source, error)) << error;
    EXPECT_EQ(source.title, "Summer trip");
    EXPECT_EQ(Listed(source), (Pictures{{album + "zeta.jpg", "Last > first"}, {album + "alpha.jpg", ""}}));
    EXPECT_EQ(FolderListing(album), before);
}

TEST(GallerySourceTest, TheResetAlbumHasNoTitleAndAMissingListIsAnError) {
    TempDir dir;
    WriteFile(dir / "del/Bildano.ini", "[BILDANO]\r\nTitel= specialdummy \r\n");
    WriteFile(dir / "del/Pictures.ini", "");
    GallerySource source;
    std::string error;
    ASSERT_TRUE(ReadGallerySource(dir / "del/", source, error));
    EXPECT_EQ(source.title, "");
    EXPECT_TRUE(source.pictures.empty());
    WriteFile(dir / "Gal_0001/Bildano.ini", "[BILDANO]\r\nTitel=x\r\n");
    EXPECT_FALSE(ReadGallerySource(dir / "Gal_0001", source, error));
    EXPECT_NE(error.find(dir / "Gal_0001/Pictures.ini"), std::string::npos) << error;
}

TEST(GallerySourceTest, AFolderOfPicturesGivesEveryPictureSortedByName) {
    TempDir dir;
    const std::string folder = dir / "Beach 2024/";
    for (const char* name :
         {"b.JPG", "a.jpg", "C.Jpg", "notes.txt", "d.jpeg", "e.jpg.bak", "f.HEIC", "g.png"})
        WriteFile(folder + name, "x");
    WriteFile(folder + "sub.jpg/inside.jpg", "a folder is no picture");
    GallerySource source;
    std::string error;
    ASSERT_TRUE(ReadGallerySource(folder, source, error)) << error;
    EXPECT_EQ(source.title, "Beach 2024");
    EXPECT_EQ(Listed(source), (Pictures{{folder + "a.jpg", ""},
                                        {folder + "b.JPG", ""},
                                        {folder + "C.Jpg", ""},
                                        {folder + "d.jpeg", ""},
                                        {folder + "f.HEIC", ""},
                                        {folder + "g.png", ""}}));
    EXPECT_FALSE(ReadGallerySource(dir / "nowhere", source, error));
    EXPECT_NE(error.find(dir / "nowhere"), std::string::npos);
}

}  // namespace
}  // namespace wexbo
