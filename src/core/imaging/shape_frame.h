// Drawing into an RGB picture: filled rectangles and the 3-D frame with its drop shadow.
#pragma once

#include "imaging/lead_image.h"
#include "imaging/pixel_transforms.h"
#include "imaging/rgb_buffer.h"

namespace wexbo {

inline Rgb ToRgb(LeadColor color) {
    return {static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
            static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

// Fills the part of the rectangle that lies on the picture.
void FillRect(RgbBuffer& picture, int left, int top, int width, int height, Rgb color);

// The rectangle frame of a shape: the frame takes the shape's rectangle less the shadow depths on
// the right and at the bottom; its outer border and inner band are painted, its inside keeps the
// picture. The shadow is the frame's rectangle moved by the depths, where the frame does not cover
// it. Depths below 0 count as 0.
void DrawFrameShape(RgbBuffer& picture, const LeadShape& shape);

}  // namespace wexbo
