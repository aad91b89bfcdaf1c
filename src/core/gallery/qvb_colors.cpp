#include "gallery/qvb_colors.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
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

namespace {

// The relative luminance of an sRGB colour: each channel linearised, then weighted.
double Luminance(long long color) {
    auto linear = [](long long channel) {
        const double value = static_cast<double>(channel & 0xFF) / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color) + 0.7152 * linear(color >> 8) + 0.0722 * linear(color >> 16);
}

}  // namespace

double ContrastRatio(long long first, long long second) {
    const double a = Luminance(first), b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace wexbo
