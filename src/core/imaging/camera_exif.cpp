#include "imaging/camera_exif.h"

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace wexbo {

namespace {

struct ExifDataFree {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
struct ExifMemFree {
    void operator()(ExifMem* mem) const { exif_mem_unref(mem); }
};

struct KeptTag {
    ExifIfd ifd;
    ExifTag tag;
};

// What a gallery may tell of a photograph; nothing of where it was taken.
constexpr KeptTag kKeptTags[] = {
    {EXIF_IFD_0, EXIF_TAG_MAKE},
    {EXIF_IFD_0, EXIF_TAG_MODEL},
    {EXIF_IFD_0, EXIF_TAG_DATE_TIME},
    {EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL},
    {EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_DIGITIZED},
    {EXIF_IFD_EXIF, EXIF_TAG_SUB_SEC_TIME_ORIGINAL},
    {EXIF_IFD_EXIF, EXIF_TAG_SUB_SEC_TIME_DIGITIZED},
    {EXIF_IFD_EXIF, static_cast<ExifTag>(0x9010)},  // OffsetTime
    {EXIF_IFD_EXIF, static_cast<ExifTag>(0x9011)},  // OffsetTimeOriginal
    {EXIF_IFD_EXIF, static_cast<ExifTag>(0x9012)},  // OffsetTimeDigitized
    {EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME},
    {EXIF_IFD_EXIF, EXIF_TAG_FNUMBER},
    {EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_PROGRAM},
    {EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS},
    {EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_BIAS_VALUE},
    {EXIF_IFD_EXIF, EXIF_TAG_METERING_MODE},
    {EXIF_IFD_EXIF, EXIF_TAG_FLASH},
    {EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH},
    {EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH_IN_35MM_FILM},
    {EXIF_IFD_EXIF, EXIF_TAG_WHITE_BALANCE},
    {EXIF_IFD_EXIF, static_cast<ExifTag>(0xA433)},  // LensMake
    {EXIF_IFD_EXIF, static_cast<ExifTag>(0xA434)},  // LensModel
};

}  // namespace

std::string CameraExif(const std::string& exifApp1) {
    static constexpr char kHeader[] = {'E', 'x', 'i', 'f', 0, 0};
    if (exifApp1.size() <= sizeof kHeader || std::memcmp(exifApp1.data(), kHeader, sizeof kHeader) != 0)
        return {};
    std::unique_ptr<ExifData, ExifDataFree> source(exif_data_new());
    std::unique_ptr<ExifMem, ExifMemFree> mem(exif_mem_new_default());
    if (!source || !mem) return {};
    exif_data_unset_option(source.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(source.get(), reinterpret_cast<const unsigned char*>(exifApp1.data()),
                        static_cast<unsigned int>(exifApp1.size()));
    std::unique_ptr<ExifData, ExifDataFree> kept(exif_data_new_mem(mem.get()));
    if (!kept) return {};
    exif_data_unset_option(kept.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_byte_order(kept.get(), exif_data_get_byte_order(source.get()));
    bool any = false;
    for (const KeptTag& wanted : kKeptTags) {
        const ExifEntry* from = exif_content_get_entry(source->ifd[wanted.ifd], wanted.tag);
        if (!from || !from->data || from->size == 0) continue;
        ExifEntry* to = exif_entry_new_mem(mem.get());
        if (!to) return {};
        to->data = static_cast<unsigned char*>(exif_mem_alloc(mem.get(), from->size));
        if (!to->data) {
            exif_entry_unref(to);
            return {};
        }
        std::memcpy(to->data, from->data, from->size);
        to->size = from->size;
        to->tag = from->tag;
        to->format = from->format;
        to->components = from->components;
        exif_content_add_entry(kept->ifd[wanted.ifd], to);
        exif_entry_unref(to);  // the directory holds it now
        any = true;
    }
    if (!any) return {};
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(kept.get(), &bytes, &size);
    if (!bytes) return {};
    std::string result(reinterpret_cast<const char*>(bytes), size);
    exif_mem_free(mem.get(), bytes);
    return result;
}

}  // namespace wexbo
