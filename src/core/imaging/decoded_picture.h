// What every decoder of the image component gives back, and what it is asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/pixel_transforms.h"
#include "imaging/rgb_buffer.h"

namespace wexbo {

// Bounds that keep a hostile or broken file from taking all memory or time.
struct DecodeLimits {
    std::uint64_t maxPixels = std::uint64_t{1} << 28;  // decoded pixels (about 268 MP, 800 MB of RGB)
    long maxDecoderMemory = 1024L * 1024 * 1024;       // libjpeg's own buffers (progressive files)
    int maxScans = 1000;                               // progressive scans; real files have about 10
};

struct DecodedPicture {
    RgbBuffer pixels;        // 8-bit RGB, upright (the file's orientation applied)
    std::string iccProfile;  // an RGB profile, kept as the file holds it (or made from its colour
                             // description); empty for sRGB and for files that say nothing
    int fullWidth = 0;       // the upright picture's size at full scale
    int fullHeight = 0;
    // The file's EXIF block as a JPEG APP1 segment holds it (starting "Exif\0\0", then the TIFF
    // header); empty when the file has none. Album copies take the capture date and camera from it.
    std::string exif;
};

// What a decoder is asked for.
struct DecodeRequest {
    // 0 × 0: the whole picture. Otherwise the caller makes a copy of about this size (upright; a
    // side of 0 follows the proportions), and a decoder that can decode smaller does so, never
    // below the target on either side.
    int targetWidth = 0;
    int targetHeight = 0;
    // What transparent pixels are laid onto.
    Rgb background{255, 255, 255};
    DecodeLimits limits;
    // Threads a decoder may use inside one picture (HEIF). A run converts many pictures side by
    // side, so by default a decode takes one thread and the cores go to other pictures.
    int decoderThreads = 1;
};

// Whether an ICC profile describes RGB colours. Decoders give RGB pictures, so only such a profile
// still describes them: a greyscale or CMYK file's profile, written into an RGB JPEG, would make
// viewers show wrong colours.
bool IsRgbIccProfile(const void* profile, std::size_t length);

}  // namespace wexbo
