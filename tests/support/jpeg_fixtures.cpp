#include "jpeg_fixtures.h"

#include <libexif/exif-data.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/libjpeg.h"

namespace wexbo::test {

namespace {

struct ExifDataFree {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifPtr = std::unique_ptr<ExifData, ExifDataFree>;

void SetText(ExifData* data, ExifIfd ifd, ExifTag tag, const std::string& text) {
    ExifEntry* entry = exif_entry_new();
    exif_content_add_entry(data->ifd[ifd], entry);
    entry->tag = tag;
    entry->format = EXIF_FORMAT_ASCII;
    entry->components = text.size() + 1;
    entry->size = static_cast<unsigned int>(text.size() + 1);
    entry->data = static_cast<unsigned char*>(std::malloc(entry->size));
    std::memcpy(entry->data, text.c_str(), entry->size);
    exif_entry_unref(entry);
}

}  // namespace

std::string PhoneExif(int orientationValue) {
    ExifPtr data(exif_data_new());
    exif_data_set_byte_order(data.get(), EXIF_BYTE_ORDER_MOTOROLA);
    SetText(data.get(), EXIF_IFD_0, EXIF_TAG_MAKE, "Phonemaker");
    SetText(data.get(), EXIF_IFD_0, EXIF_TAG_MODEL, "Pocket 12");
    SetText(data.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, "2026:07:14 18:30:05");
    SetText(data.get(), EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE_REF), "N");
    ExifEntry* orientation = exif_entry_new();
    exif_content_add_entry(data->ifd[EXIF_IFD_0], orientation);
    exif_entry_initialize(orientation, EXIF_TAG_ORIENTATION);
    exif_set_short(orientation->data, EXIF_BYTE_ORDER_MOTOROLA, static_cast<ExifShort>(orientationValue));
    exif_entry_unref(orientation);
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &bytes, &size);
    std::string block(reinterpret_cast<char*>(bytes), size);
    std::free(bytes);
    return block;
}

RgbBuffer Solid(int width, int height, Rgb color) {
    return Quadrants(width, height, color, color, color, color);
}

RgbBuffer Quadrants(int width, int height, Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight) {
    RgbBuffer picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool top = y < height / 2;
            const bool left = x < width / 2;
            const Rgb c = top ? (left ? topLeft : topRight) : (left ? bottomLeft : bottomRight);
            std::uint8_t* p = picture.Row(y) + 3 * x;
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    }
    return picture;
}

RgbBuffer PhotoLike(int width, int height) {
    RgbBuffer picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width;
            const double v = static_cast<double>(y) / height;
            double r = 60 + 150 * u, g = 90 + 120 * v, b = 200 - 140 * u * v;
            const double dx = u - 0.6, dy = v - 0.4;
            if (dx * dx + dy * dy < 0.04) r = 230, g = 180, b = 40;              // a sun
            if (v > 0.75) g = 120 + 40 * std::sin(x * 0.7) * std::sin(y * 0.9);  // grass texture
            std::uint8_t* p = picture.Row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(std::clamp(r, 0.0, 255.0));
            p[1] = static_cast<std::uint8_t>(std::clamp(g, 0.0, 255.0));
            p[2] = static_cast<std::uint8_t>(std::clamp(b, 0.0, 255.0));
        }
    }
    return picture;
}

Rgb At(const RgbBuffer& picture, int x, int y) {
    const std::uint8_t* p = picture.Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

bool Near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

double MeanDifference(const RgbBuffer& a, const RgbBuffer& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) throw std::invalid_argument("sizes differ");
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int i = 0; i < a.Width() * 3; ++i) sum += std::abs(a.Row(y)[i] - b.Row(y)[i]);
    return sum / (3.0 * a.Width() * a.Height());
}

std::string MakeJpeg(const RgbBuffer& picture, JpegKind kind, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = picture.Width();
    cinfo.image_height = picture.Height();
    const bool cmyk = kind == JpegKind::AdobeCmyk || kind == JpegKind::AdobeYcck;
    cinfo.input_components = cmyk ? 4 : 3;
    cinfo.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (kind == JpegKind::Grey) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    if (kind == JpegKind::AdobeYcck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (kind == JpegKind::Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.Width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* src = picture.Row(static_cast<int>(cinfo.next_scanline));
        if (cmyk) {
            // Inverted inks, as Photoshop writes them: value = 255 - ink.
            for (int x = 0; x < picture.Width(); ++x) {
                const int r = src[3 * x], g = src[3 * x + 1], b = src[3 * x + 2];
                const int k = 255 - std::max({r, g, b});
                const int denom = 255 - k;
                const int c = denom ? (255 - r - k) * 255 / denom : 0;
                const int m = denom ? (255 - g - k) * 255 / denom : 0;
                const int yv = denom ? (255 - b - k) * 255 / denom : 0;
                row[4 * x] = static_cast<JSAMPLE>(255 - c);
                row[4 * x + 1] = static_cast<JSAMPLE>(255 - m);
                row[4 * x + 2] = static_cast<JSAMPLE>(255 - yv);
                row[4 * x + 3] = static_cast<JSAMPLE>(255 - k);
            }
        } else {
            std::copy(src, src + picture.Width() * 3, row.begin());
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    std::free(out);
    return bytes;
}

std::string WithOrientation(const std::string& jpeg, int orientation, bool bigEndian) {
    auto u16 = [bigEndian](int v) {
        return bigEndian ? std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}
                         : std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    };
    auto u32 = [&](int v) { return bigEndian ? u16(0) + u16(v) : u16(v) + u16(0); };
    std::string tiff = std::string(bigEndian ? "MM" : "II") + u16(42) + u32(8);
    tiff += u16(1);                                                     // one entry in IFD0
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0);  // Orientation, SHORT, 1 value
    tiff += u32(0);                                                     // no next IFD
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    const int length = static_cast<int>(payload.size()) + 2;
    std::string segment = "\xFF\xE1";
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    segment += payload;
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

}  // namespace wexbo::test
