// Encoding RGB pictures as JPEG (JFIF) files.
#pragma once

#include <string>

#include "imaging/rgb_buffer.h"

namespace wexbo {

// JPEG quality (1 … 100) for a quality factor on the old scale where 2 is the best quality and
// 255 the smallest file: 2 gives 100, 4 gives 95, 10 gives 80, 255 gives 1.
int JpegQualityForFactor(int factor);

// How a JPEG file is written.
struct JpegSettings {
    int quality = 95;  // 1 … 100
    bool greyscale = false;
    bool progressive = false;         // scans from coarse to fine: smaller, and drawn early while loading
    bool colourAtHalfHeight = false;  // 4:2:0 instead of 4:2:2 (colour at half the vertical resolution too)
    bool operator==(const JpegSettings&) const = default;
};

// The JPEG bytes of a picture: 4:2:2 or 4:2:0 chroma subsampling (or greyscale), optimised Huffman
// tables, the EXIF block (when not empty; APP1 form, "Exif\0\0" first) in an APP1 marker, the ICC
// profile (when not empty) in APP2 markers. Throws ImagingFault.
std::string EncodeJpeg(const RgbBuffer& picture, const JpegSettings& settings, const std::string& iccProfile,
                       const std::string& exifApp1 = {});

}  // namespace wexbo
