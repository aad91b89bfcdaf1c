// Decoding a picture of any format the program reads: the format is found from the file's first
// bytes, never from its name, and each format's decoder gives the same upright 8-bit RGB.
#pragma once

#include <cstddef>
#include <string>

#include "imaging/decoded_picture.h"
#include "imaging/picture_format.h"

namespace wexbo {

// Throws ImagingFault: kLeadFileNotFound or kLeadFileRead for a file that cannot be read,
// kLeadUnknownFormat for bytes of no format the program reads, and the decoder's faults; every
// text starts with the file's path.
DecodedPicture DecodePictureFile(const std::string& path, const DecodeRequest& request = {});
// `sourceName` stands for the file in the fault's text.
DecodedPicture DecodePictureMemory(const void* data, std::size_t size, const DecodeRequest& request = {},
                                   const std::string& sourceName = "memory");

// The format of a file from its first bytes; Unknown also when it cannot be read.
PictureFormat PictureFormatOfFile(const std::string& path);

// The stored width and height of a picture in a format other than JPEG, from its header without
// decoding; false when they cannot be read. (A JPEG's frame header says more: see FindJpegFrame.)
bool ReadPictureSize(const void* data, std::size_t size, int& width, int& height);

// What a decode of the format holds per pixel in its own buffers before the RGB result: HEIF's
// decoded planes and their 16-bit interleaving, a 16-bit RGBA row set, and so on.
int DecoderBytesPerPixel(PictureFormat format);

}  // namespace wexbo
