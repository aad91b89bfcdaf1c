#include "album/album_entry.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

TEST(AlbumEntryTest, EntryTextIsExactAndParsesBack) {
    const std::string entry = MakeAlbumEntry("/home/u/Slideshow/Gal_0001/_THUMB_a.jpg", "a.jpg", "Beach");
    EXPECT_EQ(entry,
              "<IMG src=\"file:///home/u/Slideshow/Gal_0001/_THUMB_a.jpg\" align=\"top\">a.jpg | Beach");
    EXPECT_EQ(EntryListText(entry), "a.jpg | Beach");
    EXPECT_EQ(ParseAlbumEntry(entry).fileName, "a.jpg");
    EXPECT_EQ(ParseAlbumEntry(entry).caption, "Beach");
    EXPECT_EQ(EntryThumbnailPath(entry), "/home/u/Slideshow/Gal_0001/_THUMB_a.jpg");
    const std::string added = MakeAlbumEntry("/t/_THUMB_b.jpg", "b.jpg", std::nullopt);
    EXPECT_EQ(EntryListText(added), "b.jpg");
    EXPECT_EQ(ParseAlbumEntry(WithCaption(added, "Über")).caption, "Über");
    EXPECT_EQ(EntryThumbnailPath(WithCaption(added, "x")), "/t/_THUMB_b.jpg");
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
    EXPECT_EQ(ParseAlbumEntry(MakeAlbumEntry("/t/_THUMB_x.jpg", safe, "c")).fileName, safe);
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
