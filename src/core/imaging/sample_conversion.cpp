#include "imaging/sample_conversion.h"

namespace wexbo {

void CompositeRgbaRow(const std::uint8_t* rgba, int width, Rgb background, std::uint8_t* rgb) {
    for (int x = 0; x < width; ++x, rgba += 4, rgb += 3) {
        const std::uint8_t alpha = rgba[3];
        if (alpha == 255) {
            rgb[0] = rgba[0], rgb[1] = rgba[1], rgb[2] = rgba[2];
            continue;
        }
        rgb[0] = Composite(rgba[0], alpha, background.r);
        rgb[1] = Composite(rgba[1], alpha, background.g);
        rgb[2] = Composite(rgba[2], alpha, background.b);
    }
}

}  // namespace wexbo
