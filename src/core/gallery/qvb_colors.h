// Colour values as the settings store them (0x00BBGGRR, red in the lowest byte) and their forms in
// stylesheets and tinted panels.
#pragma once

#include <string>

namespace wexbo {

// "#RRGGBB" in upper-case hexadecimal; the highest byte of the 32-bit value is ignored. A value
// that is no 32-bit colour at all (below -2^31 or above 2^32 - 1) gives "#000000".
std::string HtmlColor(long long color);

// The colour value of the three components (each taken modulo 256).
long long RgbColor(int red, int green, int blue);

// The colour that a vertical two-colour gradient of `extent` rows shows in row `position`: each
// component runs from the start colour (row 0) to the end colour (row extent - 1) and is truncated
// toward zero. Rows outside the gradient take the nearer end's colour, and an extent below 2 gives
// the start colour. The highest byte of both colours is ignored.
long long GradientColorAt(long long startColor, long long endColor, int position, int extent);

// The contrast of two colours as readers see it: (L1 + 0.05) / (L2 + 0.05) of their relative
// luminances, the lighter first, from 1 (the same colour) to 21 (black on white).
double ContrastRatio(long long first, long long second);

// Text of one colour on the other can be read by most people: a contrast of at least 4.5 to 1.
inline constexpr double kReadableContrast = 4.5;
inline bool ReadableContrast(long long text, long long background) {
    return ContrastRatio(text, background) >= kReadableContrast;
}

}  // namespace wexbo
