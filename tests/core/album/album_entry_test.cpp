#include "album/album_entry.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

// A picture never captioned keeps the line of the file name alone; a caption, even an empty one,
// adds " | " and the caption.
TEST(AlbumPictureTest, ListTextHoldsTheCaptionOnlyOnceOneWasGiven) {
    AlbumPicture picture{"a.jpg", std::nullopt, "/t/_THUMB_a.jpg"};
    EXPECT_EQ(picture.ListText(), "a.jpg");
    EXPECT_EQ(picture.CaptionText(), "");
    picture.caption = "";
    EXPECT_EQ(picture.ListText(), "a.jpg | ");
    picture.caption = "Über den Wolken";
    EXPECT_EQ(picture.ListText(), "a.jpg | Über den Wolken");
    const PictureFields back = ParsePictureListLine(picture.ListText());
    EXPECT_EQ(back.fileName, "a.jpg");
    EXPECT_EQ(back.caption, "Über den Wolken");
}

TEST(CaptionTest, CleaningDropsSplitCharactersAndKeepsFiftyEightCharacters) {
    EXPECT_EQ(CleanCaption("a|b>c"), "abc");
    std::string long_text;
    for (int i = 0; i < 60; ++i) long_text += "ü";
    std::string expected;
    for (int i = 0; i < 58; ++i) expected += "ü";
    EXPECT_EQ(CleanCaption(long_text), expected);  // counted in characters, never cut inside one
}

struct LineCase {
    const char* line;
    const char* fileName;
    const char* caption;
};
class PictureListLineTest : public testing::TestWithParam<LineCase> {};
TEST_P(PictureListLineTest, SplitsAtBars) {
    const PictureFields fields = ParsePictureListLine(GetParam().line);
    EXPECT_EQ(fields.fileName, GetParam().fileName);
    EXPECT_EQ(fields.caption, GetParam().caption);
}
INSTANTIATE_TEST_SUITE_P(Cases, PictureListLineTest,
                         testing::Values(LineCase{"a.jpg|b|c", "a.jpg", "b"}, LineCase{"a.jpg", "a.jpg", ""},
                                         LineCase{"a.jpg | ", "a.jpg", ""},
                                         LineCase{"a.jpg || two  words ", "a.jpg", "two  words"},
                                         LineCase{"|lead.jpg|cap", "lead.jpg", "cap"}, LineCase{"", "", ""}));

struct SafeNameCase {
    const char* name;
    const char* safe;
};

class ListSafeFileNameTest : public testing::TestWithParam<SafeNameCase> {};

// Every name Linux allows gets an album name that "Pictures.ini" holds and reads back unchanged.
TEST_P(ListSafeFileNameTest, ReadsBackAsItself) {
    const std::string safe = ListSafeFileName(GetParam().name);
    EXPECT_EQ(safe, GetParam().safe);
    EXPECT_EQ(ParsePictureListLine(safe).fileName, safe);
    EXPECT_EQ(ParsePictureListLine(AlbumPicture{safe, "c", ""}.ListText()).fileName, safe);
}

INSTANTIATE_TEST_SUITE_P(Names, ListSafeFileNameTest,
                         testing::Values(SafeNameCase{"beach.jpg", "beach.jpg"},
                                         SafeNameCase{"Über den Wolken.jpg", "Über den Wolken.jpg"},
                                         SafeNameCase{"x|y.jpg", "x_y.jpg"},
                                         SafeNameCase{"p>q.jpg", "p_q.jpg"},
                                         SafeNameCase{"caf\xE9.jpg", "café.jpg"},
                                         SafeNameCase{" spaced .jpg ", "_spaced .jpg_"},
                                         SafeNameCase{"two\nlines\r.jpg", "two_lines_.jpg"}));

}  // namespace
}  // namespace wexbo
