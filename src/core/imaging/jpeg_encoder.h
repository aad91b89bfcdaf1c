// Encoding RGB pictures as JPEG (JFIF) files.
#pragma once

#include <string>

#include "imaging/rgb_buffer.h"

namespace wexbo {

// JPEG quality (1 … 100) for a quality factor on the old scale where 2 is the best quality and
// 255 the smallest file: 2 gives 100, 4 gives 95, 10 gives 80, 255 gives 1.
int JpegQualityForFactor(int factor);

// The JPEG bytes of a picture: 4:2:2 chroma subsampling (or greyscale), optimised Huffman tables,
// the EXIF block (when not empty; APP1 form, "Exif\0\0" first) in an APP1 marker, the ICC profile
// (when not empty) in APP2 markers. Throws ImagingFault.
std::string EncodeJpeg(const RgbBuffer& picture, int quality, bool greyscale, const std::string& iccProfile,
                       const std::string& exifApp1 = {});

}  // namespace wexbo
