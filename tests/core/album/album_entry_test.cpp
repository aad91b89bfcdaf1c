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

}  // namespace
}  // namespace wexbo
