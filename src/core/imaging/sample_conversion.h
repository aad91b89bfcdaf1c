// Turning the samples decoders give into the component's 8-bit RGB: deeper samples reduced to 8
// bits, alpha laid onto a background colour.
#pragma once

#include <algorithm>
#include <cstdint>

#include "imaging/pixel_transforms.h"

namespace wexbo {

// A sample of `bits` bits (1 … 16) as 8 bits, rounded: the largest value stays the largest.
inline std::uint8_t To8Bits(std::uint32_t sample, int bits) {
    const std::uint32_t top = (1u << bits) - 1;
    return static_cast<std::uint8_t>((std::min(sample, top) * 255 + top / 2) / top);
}

// A colour channel of opacity `alpha` (0 … 255) laid onto the background's channel, rounded.
inline std::uint8_t Composite(std::uint8_t channel, std::uint8_t alpha, std::uint8_t background) {
    const unsigned mixed = channel * alpha + background * (255u - alpha);
    return static_cast<std::uint8_t>((mixed + 127) / 255);
}

// A row of 8-bit RGBA laid onto the background, as RGB.
void CompositeRgbaRow(const std::uint8_t* rgba, int width, Rgb background, std::uint8_t* rgb);

}  // namespace wexbo
