// Decoding JPEG pictures into RGB, at a reduced DCT scale when only a smaller copy is wanted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/decoded_picture.h"

namespace wexbo {

// Decodes the whole picture (target 0 × 0) or, for a target size, at the smallest scale M/8
// (M = 1 … 8) whose result is at least the target on both sides. A target side of 0 follows
// the picture's proportions. Both the target and the result are upright. Throws ImagingFault.
DecodedPicture DecodeJpegFile(const std::string& path, int targetWidth, int targetHeight,
                              const DecodeLimits& limits = {});
// `sourceName` stands for the file in the fault's text.
DecodedPicture DecodeJpegMemory(const void* data, std::size_t size, int targetWidth, int targetHeight,
                                const std::string& sourceName = "memory", const DecodeLimits& limits = {});

// The scale numerator M (of M/8) for a stored picture of width × height and a target in the
// same (stored) orientation; 8 for a target of 0 × 0 or one larger than the picture.
int DctScaleFor(int width, int height, int targetWidth, int targetHeight);

}  // namespace wexbo
