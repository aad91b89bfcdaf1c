// HEIF files (HEIC, HEIF and AVIF) through libheif: the primary picture with the container's rotation and
// mirroring (EXIF orientation inside is ignored, as libheif applies the container's); an ICC profile kept,
// nclx colour information turned into the matching ICC profile; 10- and 12-bit samples reduced to 8; the
// embedded thumbnail taken when it is large enough for the target.
#pragma once

#include <cstddef>
#include <string>

#include "imaging/decoded_picture.h"

namespace wexbo {

// Decodes the bytes of a HEIF file; `sourceName` stands for the file in the fault's text. Alpha is
// laid onto request.background. Throws ImagingFault: kLeadCorruptFile for damaged or truncated
// data, kLeadUnsupportedFormat for a variant the program does not read, kLeadPictureTooLarge beyond
// request.limits, each with the text "sourceName: what is wrong".
DecodedPicture DecodeHeifMemory(const void* data, std::size_t size, const DecodeRequest& request,
                                const std::string& sourceName);

// The primary picture's width and height from the file's boxes, without decoding it; false when
// they cannot be read. For estimating a decode's memory. The size is the one a decode gives, turned
// and cropped as the container says: libheif 1.15 writes the size box of a turned picture already
// turned, so the size before the turn cannot be told reliably.
bool ReadHeifSize(const void* data, std::size_t size, int& width, int& height);

}  // namespace wexbo
