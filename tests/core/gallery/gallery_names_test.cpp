#include "gallery/gallery_names.h"

#include <gtest/gtest.h>

#include <set>

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
    // The pictures for denser screens: "d@2x.jpg" would replace the 2x picture of "d.jpg", and
    // "d_thumb@2x.jpg" its 2x overview picture.
    EXPECT_EQ(WebNamesOf({"/p/d.jpg", "/p/d@2x.jpg", "/p/d_thumb@2x.jpg"}),
              (Names{"d", "d@2x_2", "d_thumb@2x_2"}));
    EXPECT_EQ(WebNamesOf({"/p/e@2x.jpg", "/p/e.jpg"}), (Names{"e@2x", "e_2"}));
    // A suffix that is itself taken moves on to the next number.
    EXPECT_EQ(WebNamesOf({"/p/c.jpg", "/p/c_2.jpg", "/p/C.jpg"}), (Names{"c", "c_2", "c_3"}));
}

// Ten thousand pictures, most of one name, some named like the numbered ones: every web name is
// unique, and the count costs no quadratic step (this test takes milliseconds).
TEST(GalleryNamesTest, TenThousandPicturesOfOneNameGetUniqueNames) {
    std::vector<GalleryPicture> pictures;
    for (int i = 0; i < 10000; ++i)
        pictures.push_back({"/card" + std::to_string(i % 7) + "/" +
                                (i % 500 == 0 ? "IMG_" + std::to_string(i) : "IMG") + ".JPG",
                            ""});
    const std::vector<std::string> names = AssignWebNames(pictures);
    ASSERT_EQ(names.size(), 10000u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 10000u);
    EXPECT_EQ(names[1], "img");
    EXPECT_EQ(names[2], "img_2");
    EXPECT_EQ(names[500], "img_500");  // its own name: taken before by no picture of "IMG"
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
