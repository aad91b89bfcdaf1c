#include "imaging/picture_format.h"

#include <array>
#include <cstring>

#include "util/strings.h"

namespace wexbo {

namespace {

bool StartsWith(const unsigned char* bytes, std::size_t size, std::size_t offset, const char* magic) {
    const std::size_t length = std::strlen(magic);
    return size >= offset + length && std::memcmp(bytes + offset, magic, length) == 0;
}

std::string_view LastExtension(std::string_view name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos || dot == 0 ? std::string_view() : name.substr(dot + 1);
}

bool ExtensionIn(std::string_view name, std::initializer_list<const char*> extensions) {
    const std::string extension = ToLowerAscii(LastExtension(name));
    for (const char* candidate : extensions)
        if (extension == candidate) return true;
    return false;
}

}  // namespace

PictureFormat PictureFormatOf(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return PictureFormat::Jpeg;
    if (StartsWith(bytes, size, 0, "\x89PNG\r\n\x1a\n")) return PictureFormat::Png;
    if (StartsWith(bytes, size, 0, "RIFF") && StartsWith(bytes, size, 8, "WEBP")) return PictureFormat::Webp;
    // Classic TIFF (42) and BigTIFF (43), little- or big-endian.
    if (size >= 4 &&
        ((bytes[0] == 'I' && bytes[1] == 'I' && bytes[3] == 0 && (bytes[2] == 42 || bytes[2] == 43)) ||
         (bytes[0] == 'M' && bytes[1] == 'M' && bytes[2] == 0 && (bytes[3] == 42 || bytes[3] == 43))))
        return PictureFormat::Tiff;
    // An ISO base media file: a "ftyp" box whose major brand is one of the still-picture brands.
    if (StartsWith(bytes, size, 4, "ftyp") && size >= 12) {
        static constexpr std::array<const char*, 9> kBrands = {"heic", "heix", "heim", "heis", "hevc",
                                                               "hevx", "mif1", "msf1", "avif"};
        for (const char* brand : kBrands)
            if (StartsWith(bytes, size, 8, brand)) return PictureFormat::Heif;
        if (StartsWith(bytes, size, 8, "avis")) return PictureFormat::Heif;
    }
    return PictureFormat::Unknown;
}

std::string_view PictureFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Jpeg:
            return "JPEG";
        case PictureFormat::Png:
            return "PNG";
        case PictureFormat::Webp:
            return "WebP";
        case PictureFormat::Tiff:
            return "TIFF";
        case PictureFormat::Heif:
            return "HEIF";
        case PictureFormat::Unknown:
            break;
    }
    return "unknown";
}

bool IsPictureFileName(std::string_view name) {
    return ExtensionIn(name, {"jpg", "jpeg", "heic", "heif", "hif", "avif", "png", "webp", "tif", "tiff"});
}

bool IsJpegFileName(std::string_view name) { return ExtensionIn(name, {"jpg", "jpeg"}); }

}  // namespace wexbo
