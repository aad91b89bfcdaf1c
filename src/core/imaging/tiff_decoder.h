// TIFF files through libtiff (the first page): RGB, greyscale, palette, 8 and 16 bits, alpha; the Orientation
// tag; the ICC profile tag kept.
#pragma once

#include <cstddef>
#include <string>

#include "imaging/decoded_picture.h"

namespace wexbo {

// Decodes the bytes of a TIFF file; `sourceName` stands for the file in the fault's text. Alpha is
// laid onto request.background. Throws ImagingFault: kLeadCorruptFile for damaged or truncated
// data, kLeadUnsupportedFormat for a variant the program does not read, kLeadPictureTooLarge beyond
// request.limits, each with the text "sourceName: what is wrong".
DecodedPicture DecodeTiffMemory(const void* data, std::size_t size, const DecodeRequest& request,
                                const std::string& sourceName);

// The picture's stored width and height (before any orientation) from the file's header, without
// decoding it; false when the header cannot be read. For estimating a decode's memory.
bool ReadTiffSize(const void* data, std::size_t size, int& width, int& height);

}  // namespace wexbo
