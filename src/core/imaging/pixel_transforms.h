// Turns and mirrors of an RGB picture.
#pragma once

#include <cstdint>

#include "imaging/rgb_buffer.h"

namespace wexbo {

struct Rgb {
    std::uint8_t r, g, b;
};

void FlipRows(RgbBuffer& picture);       // top and bottom exchanged
void MirrorColumns(RgbBuffer& picture);  // left and right exchanged

// Exact quarter turns, clockwise; width and height exchange for odd counts.
RgbBuffer RotateQuarters(const RgbBuffer& picture, int clockwiseQuarters);
RgbBuffer Transpose(const RgbBuffer& picture);   // pixel (x, y) moves to (y, x)
RgbBuffer Transverse(const RgbBuffer& picture);  // mirror at the other diagonal

// A turn by any angle (degrees, clockwise) with bilinear interpolation. With `enlarge` the canvas
// grows to hold the whole turned picture, else it keeps its size and the corners are cut off;
// canvas the picture does not cover takes `fill`.
RgbBuffer RotateFree(const RgbBuffer& picture, double clockwiseDegrees, bool enlarge, Rgb fill);

}  // namespace wexbo
