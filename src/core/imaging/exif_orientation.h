// The EXIF orientation of a photograph: how the stored rows must be turned or mirrored to show the
// picture as the camera meant it. The values are the EXIF ones. The letter F as stored under each:
//
//   1      2      3      4      5       6       7       8
//   FFFF   FFFF      F   F      FFFFF   F           F   FFFFF
//   F         F      F   F      F F     F F       F F     F F
//   FFF     FFF    FFF   FFF    F F     F F       F F     F F
//   F         F      F   F      F       FFFFF   FFFFF       F
//   F         F   FFFF   FFFF
#pragma once

#include <cstddef>

#include "imaging/rgb_buffer.h"

namespace wexbo {

// Each value with what turns the stored picture upright.
enum class ExifOrientation {
    Normal = 1,            // nothing
    MirrorHorizontal = 2,  // mirror left to right
    Rotate180 = 3,         // a half turn
    MirrorVertical = 4,    // mirror top to bottom
    Transpose = 5,         // mirror at the main diagonal (pixel x, y moves to y, x)
    Rotate90 = 6,          // a quarter turn clockwise
    Transverse = 7,        // mirror at the other diagonal
    Rotate270 = 8,         // a quarter turn anticlockwise
};

// The orientation in an APP1 "Exif" segment (the marker's data, starting with "Exif\0\0");
// Normal when there is none or it is not one of the eight values.
ExifOrientation ReadExifOrientation(const unsigned char* app1, std::size_t size);

// True for the orientations that exchange width and height.
inline bool SwapsSides(ExifOrientation o) { return static_cast<int>(o) >= 5; }

// The stored picture turned upright.
RgbBuffer ApplyOrientation(RgbBuffer stored, ExifOrientation orientation);

}  // namespace wexbo
