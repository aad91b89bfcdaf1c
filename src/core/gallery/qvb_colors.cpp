#include "gallery/qvb_colors.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdint>

namespace wexbo {

namespace {

int Component(long long color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

}  // namespace

std::string HtmlColor(long long color) {
    if (color < INT32_MIN || color > static_cast<long long>(UINT32_MAX)) return "#000000";
    // Negative values are 32-bit colours read as signed integers; their low three bytes still hold
    // red, green and blue.
    const auto value = static_cast<std::uint32_t>(color);
    return fmt::format("#{:02X}{:02X}{:02X}", value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

long long RgbColor(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | (static_cast<long long>(blue & 0xFF) << 16);
}

long long GradientColorAt(long long startColor, long long endColor, int position, int extent) {
    if (extent < 2) return startColor & 0xFFFFFF;
    const double t = static_cast<double>(std::clamp(position, 0, extent - 1)) / (extent - 1);
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const int start = Component(startColor, 8 * i);
        const int end = Component(endColor, 8 * i);
        parts[i] = static_cast<int>(start + (end - start) * t);
    }
    return RgbColor(parts[0], parts[1], parts[2]);
}

}  // namespace wexbo
