// Test pictures in HEIC and AVIF, written through libheif's encoding API in the test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/rgb_buffer.h"

namespace wexbo::test {

enum class HeifCodec { Hevc, Av1 };  // HEIC through x265, AVIF through aom

// An nclx colour description, in the codes libheif uses.
struct NclxCodes {
    int primaries = 1;  // 1 BT.709/sRGB, 2 not given, 9 BT.2020, 12 Display P3
    int transfer = 13;  // 13 sRGB, 1 BT.709, 8 linear, 2 not given
    int matrix = 6;
};

struct HeifOptions {
    HeifCodec codec = HeifCodec::Hevc;
    int bitDepth = 8;  // 8, or 10 for HEVC (aom aborts on 10-bit input here)
    // One opacity (0 … 255) per pixel, row by row; empty for none.
    std::vector<std::uint8_t> alpha;
    bool premultiplied = false;  // the colours are already multiplied by the alpha
    std::string iccProfile;      // written as a 'prof' colour box
    bool writeNclx = false;      // write `nclx` as a colour box
    NclxCodes nclx;
    int orientation = 1;  // EXIF-style value the container's irot/imir boxes express
    std::string exif;     // given to libheif's EXIF call as it is
    // Embedded thumbnails, each scaled down to fit a square of `box` pixels (only a picture larger
    // than that gets one).
    struct Thumbnail {
        const RgbBuffer* picture;
        int box;
    };
    std::vector<Thumbnail> thumbnails;
};

// The HEIC or AVIF bytes of a picture, encoded at high quality (full chroma).
std::string MakeHeif(const RgbBuffer& picture, const HeifOptions& options = {});

// A Display P3 profile made with lcms2 (P3 primaries, D65 white, the sRGB curve). A grey one is
// GreyProfile in format_fixtures.h.
std::string DisplayP3Profile();

// A TIFF block with only the orientation tag in IFD0, as EXIF data holds it (no "Exif" header).
std::string ExifTiff(int orientation, bool bigEndian = false);

}  // namespace wexbo::test
