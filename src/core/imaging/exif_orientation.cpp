#include "imaging/exif_orientation.h"

#include <libexif/exif-data.h>

#include <cstring>
#include <memory>

#include "imaging/pixel_transforms.h"

namespace wexbo {

namespace {

struct ExifDataFree {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

}  // namespace

ExifOrientation ReadExifOrientation(const unsigned char* app1, std::size_t size) {
    static constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
    if (!app1 || size < sizeof kExifHeader || std::memcmp(app1, kExifHeader, sizeof kExifHeader) != 0)
        return ExifOrientation::Normal;
    std::unique_ptr<ExifData, ExifDataFree> data(exif_data_new());
    if (!data) return ExifOrientation::Normal;
    // Read the tags as they are: no repairs, no added mandatory tags, no maker-note rewriting.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), app1, static_cast<unsigned int>(size));
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!entry || !entry->data || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 ||
        entry->size < 2)
        return ExifOrientation::Normal;
    const int value = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
    if (value < 1 || value > 8) return ExifOrientation::Normal;
    return static_cast<ExifOrientation>(value);
}

RgbBuffer ApplyOrientation(RgbBuffer stored, ExifOrientation orientation) {
    switch (orientation) {
        case ExifOrientation::MirrorHorizontal:
            MirrorColumns(stored);
            return stored;
        case ExifOrientation::Rotate180:
            FlipRows(stored);
            MirrorColumns(stored);
            return stored;
        case ExifOrientation::MirrorVertical:
            FlipRows(stored);
            return stored;
        case ExifOrientation::Transpose:
            return Transpose(stored);
        case ExifOrientation::Rotate90:
            return RotateQuarters(stored, 1);
        case ExifOrientation::Transverse:
            return Transverse(stored);
        case ExifOrientation::Rotate270:
            return RotateQuarters(stored, 3);
        case ExifOrientation::Normal:
            break;
    }
    return stored;
}

}  // namespace wexbo
