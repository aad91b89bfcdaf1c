#include "imaging/picture_format.h"

#include <gtest/gtest.h>

#include <string>

namespace wexbo {
namespace {

struct NameCase {
    const char* name;
    bool picture;
};

class PictureNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(PictureNameTest, TheLastExtensionDecidesInAnyLetterCase) {
    EXPECT_EQ(IsPictureFileName(GetParam().name), GetParam().picture) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, PictureNameTest,
    testing::Values(NameCase{"a.jpg", true}, NameCase{"A.JPEG", true}, NameCase{"IMG_0042.HEIC", true},
                    NameCase{"x.heif", true}, NameCase{"x.HIF", true}, NameCase{"x.avif", true},
                    NameCase{"x.Png", true}, NameCase{"x.webp", true}, NameCase{"scan.tif", true},
                    NameCase{"scan.TIFF", true}, NameCase{"x.jpg.bak", false}, NameCase{"x.jpgx", false},
                    NameCase{"jpg", false}, NameCase{".jpg", false}, NameCase{"notes.txt", false},
                    NameCase{"x.gif", false}, NameCase{"a.b.png", true}));

struct MagicCase {
    std::string bytes;
    PictureFormat format;
};

class PictureFormatTest : public testing::TestWithParam<MagicCase> {};

TEST_P(PictureFormatTest, TheFirstBytesDecide) {
    const MagicCase& c = GetParam();
    EXPECT_EQ(PictureFormatOf(c.bytes.data(), c.bytes.size()), c.format) << PictureFormatName(c.format);
}

using namespace std::string_literals;
INSTANTIATE_TEST_SUITE_P(Magic, PictureFormatTest,
                         testing::Values(MagicCase{"\xFF\xD8\xFF\xE0"s, PictureFormat::Jpeg},
                                         MagicCase{"\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR"s, PictureFormat::Png},
                                         MagicCase{"RIFF\x10\0\0\0WEBPVP8 "s, PictureFormat::Webp},
                                         MagicCase{"RIFF\x10\0\0\0WAVEfmt "s, PictureFormat::Unknown},
                                         MagicCase{"II*\0\x08\0\0\0"s, PictureFormat::Tiff},
                                         MagicCase{"MM\0*\0\0\0\x08"s, PictureFormat::Tiff},
                                         MagicCase{"II+\0\x08\0\0\0"s, PictureFormat::Tiff},
                                         MagicCase{"\0\0\0\x18"
                                                   "ftypheic\0\0\0\0"s,
                                                   PictureFormat::Heif},
                                         MagicCase{"\0\0\0\x18"
                                                   "ftypmif1\0\0\0\0"s,
                                                   PictureFormat::Heif},
                                         MagicCase{"\0\0\0\x1c"
                                                   "ftypavif\0\0\0\0"s,
                                                   PictureFormat::Heif},
                                         MagicCase{"\0\0\0\x18"
                                                   "ftypisom\0\0\0\0"s,
                                                   PictureFormat::Unknown},
                                         MagicCase{"\xFF\xD8"s, PictureFormat::Unknown},
                                         MagicCase{""s, PictureFormat::Unknown},
                                         MagicCase{"GIF89a"s, PictureFormat::Unknown}));

}  // namespace
}  // namespace wexbo
