#include "gallery/gallery_names.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

std::vector<std::string> WebNamesOf(std::initializer_list<const char*> paths) {
    std::vector<GalleryPicture> pictures;
    for (const char* path : paths) pictures.push_back({path, ""});
    return AssignWebNames(pictures);
}

using Names = std::vector<std::string>;

TEST(GalleryNamesTest, DistinctPicturesKeepTheirWebNames) {
    EXPECT_EQ(WebNamesOf({"/a/Beach Day.JPG", "/b/Müller's Foto (1).jpg", "/c/layout.jpg", "/c/home.jpg"}),
              (Names{"beach_day", "mueller_s_foto_x1x", "layout", "home"}));
}

TEST(GalleryNamesTest, PicturesSharingAWebNameGetNumberedSuffixes) {
    EXPECT_EQ(WebNamesOf({"/x/a.jpg", "/y/A.JPG", "/z/a.jpg", "/x/Ärger.jpg", "/x/Aerger.jpg"}),
              (Names{"a", "a_2", "a_3", "aerger", "aerger_2"}));
}

TEST(GalleryNamesTest, NoPictureTakesTheNameOfAFixedPageOrOfAnotherPicturesFile) {
    // "gallery.jpg" would write gallery.html, "slideshow.jpg" slideshow.html; "a_thumb.jpg" would
    // replace the overview picture of "a.jpg" with its full-size picture, and the other way round.
    EXPECT_EQ(WebNamesOf({"/p/gallery.jpg", "/p/slideshow.jpg", "/p/a.jpg", "/p/a_thumb.jpg"}),
              (Names{"gallery_2", "slideshow_2", "a", "a_thumb_2"}));
    EXPECT_EQ(WebNamesOf({"/p/b_thumb.jpg", "/p/b.jpg"}), (Names{"b_thumb", "b_2"}));
    // A suffix that is itself taken moves on to the next number.
    EXPECT_EQ(WebNamesOf({"/p/c.jpg", "/p/c_2.jpg", "/p/C.jpg"}), (Names{"c", "c_2", "c_3"}));
}

TEST(GalleryNamesTest, BaseNamesAndLinkTargets) {
    EXPECT_EQ(PictureBaseName("/a/b.c/Beach.Day.JPG"), "Beach.Day");
    EXPECT_EQ(PictureBaseName("/a/noext"), "noext");
    EXPECT_EQ(WebNamesOf({"/a/.jpg"}), (Names{"picture"}));
    EXPECT_EQ(LinkTarget("p01_autumn.html"), "p01_autumn.html");
    EXPECT_EQ(LinkTarget("no#1;+.jpg"), "no%231;+.jpg");
    EXPECT_EQ(LinkTarget("noël.jpg"), "noël.jpg");
}

}  // namespace
}  // namespace wexbo
