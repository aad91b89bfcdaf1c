// The picture formats the program reads, told apart by content, and the one rule for which files
// of a folder are pictures.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wexbo {

enum class PictureFormat {
    Unknown,
    Jpeg,
    Png,
    Webp,
    Tiff,
    Heif,  // HEIC, HEIF and AVIF: one container, read by libheif
};

// The format of a file from its first bytes (16 are enough); Unknown for anything else.
PictureFormat PictureFormatOf(const void* data, std::size_t size);

// The format's name for messages: "JPEG", "PNG", "WebP", "TIFF", "HEIF".
std::string_view PictureFormatName(PictureFormat format);

// Whether a folder's file is listed as a picture: by its last extension, in any letter case:
// .jpg .jpeg .heic .heif .hif .avif .png .webp .tif .tiff. ("x.jpg.bak" is not one.)
bool IsPictureFileName(std::string_view name);

// Whether a file of that name is a JPEG by its extension (.jpg, .jpeg), as albums keep them.
bool IsJpegFileName(std::string_view name);

}  // namespace wexbo
