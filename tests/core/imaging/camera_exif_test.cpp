#include "imaging/camera_exif.h"

#include <gtest/gtest.h>
#include <libexif/exif-data.h>

#include <cstring>
#include <memory>
#include <string>

#include "imaging/exif_orientation.h"
#include "imaging/jpeg_encoder.h"
#include "jpeg_fixtures.h"

namespace wexbo {
namespace {

struct ExifDataFree {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifPtr = std::unique_ptr<ExifData, ExifDataFree>;

std::string TextOf(const std::string& block, ExifIfd ifd, ExifTag tag) {
    ExifPtr data(exif_data_new_from_data(reinterpret_cast<const unsigned char*>(block.data()),
                                         static_cast<unsigned int>(block.size())));
    ExifEntry* entry = data ? exif_content_get_entry(data->ifd[ifd], tag) : nullptr;
    if (!entry || !entry->data) return "(none)";
    return std::string(reinterpret_cast<const char*>(entry->data),
                       strnlen(reinterpret_cast<const char*>(entry->data), entry->size));
}

TEST(CameraExifTest, KeepsWhenAndWithWhatButNeverWhereNorTheOrientation) {
    const std::string source = test::PhoneExif(6);
    ASSERT_EQ(TextOf(source, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE_REF)), "N");
    const std::string kept = CameraExif(source);
    ASSERT_EQ(kept.compare(0, 6, std::string("Exif\0\0", 6)), 0);
    EXPECT_EQ(TextOf(kept, EXIF_IFD_0, EXIF_TAG_MAKE), "Phonemaker");
    EXPECT_EQ(TextOf(kept, EXIF_IFD_0, EXIF_TAG_MODEL), "Pocket 12");
    EXPECT_EQ(TextOf(kept, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL), "2026:07:14 18:30:05");
    EXPECT_EQ(TextOf(kept, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE_REF)), "(none)");
    EXPECT_EQ(ReadExifOrientation(reinterpret_cast<const unsigned char*>(kept.data()), kept.size()),
              ExifOrientation::Normal);
    EXPECT_EQ(ReadExifOrientation(reinterpret_cast<const unsigned char*>(source.data()), source.size()),
              ExifOrientation::Rotate90);
}

TEST(CameraExifTest, NothingWorthKeepingOrNoExifGivesNothing) {
    EXPECT_EQ(CameraExif(""), "");
    EXPECT_EQ(CameraExif("not exif at all"), "");
    EXPECT_EQ(CameraExif(std::string("Exif\0\0garbage", 13)), "");
}

TEST(CameraExifTest, TheEncoderWritesTheBlockAfterTheJfifHeader) {
    const std::string block = CameraExif(test::PhoneExif(6));
    const std::string jpeg = EncodeJpeg(test::Solid(16, 16, test::kRed), {95}, "", block);
    // SOI, APP0 (JFIF, 18 bytes), then APP1 holding exactly the block.
    ASSERT_GT(jpeg.size(), 24 + block.size());
    EXPECT_EQ(static_cast<unsigned char>(jpeg[20]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(jpeg[21]), 0xE1);
    const std::size_t length =
        static_cast<unsigned char>(jpeg[22]) * 256u + static_cast<unsigned char>(jpeg[23]);
    EXPECT_EQ(length, block.size() + 2);
    EXPECT_EQ(jpeg.substr(24, block.size()), block);
}

}  // namespace
}  // namespace wexbo
