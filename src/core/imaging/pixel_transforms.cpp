#include "imaging/pixel_transforms.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace wexbo {

namespace {

inline void CopyPixel(std::uint8_t* to, const std::uint8_t* from) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

// Builds a picture of outWidth × outHeight whose pixel (x, y) is the source pixel source(x, y).
// Walks the output in tiles so that column-wise reads of the source stay in the cache.
template <typename SourceOf>
RgbBuffer Remap(const RgbBuffer& picture, int outWidth, int outHeight, SourceOf source) {
    RgbBuffer out(outWidth, outHeight);
    constexpr int kTile = 64;
    for (int ty = 0; ty < outHeight; ty += kTile) {
        const int yEnd = std::min(outHeight, ty + kTile);
        for (int tx = 0; tx < outWidth; tx += kTile) {
            const int xEnd = std::min(outWidth, tx + kTile);
            for (int y = ty; y < yEnd; ++y) {
                std::uint8_t* row = out.Row(y);
                for (int x = tx; x < xEnd; ++x) {
                    const auto [sx, sy] = source(x, y);
                    CopyPixel(row + 3 * x, picture.Row(sy) + 3 * sx);
                }
            }
        }
    }
    return out;
}

struct Point {
    int x, y;
};

}  // namespace

void FlipRows(RgbBuffer& picture) {
    const std::size_t bytes = static_cast<std::size_t>(picture.Width()) * 3;
    std::vector<std::uint8_t> spare(bytes);
    for (int top = 0, bottom = picture.Height() - 1; top < bottom; ++top, --bottom) {
        std::memcpy(spare.data(), picture.Row(top), bytes);
        std::memcpy(picture.Row(top), picture.Row(bottom), bytes);
        std::memcpy(picture.Row(bottom), spare.data(), bytes);
    }
}

void MirrorColumns(RgbBuffer& picture) {
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int left = 0, right = picture.Width() - 1; left < right; ++left, --right) {
            std::swap_ranges(row + 3 * left, row + 3 * left + 3, row + 3 * right);
        }
    }
}

RgbBuffer RotateQuarters(const RgbBuffer& picture, int clockwiseQuarters) {
    const int w = picture.Width();
    const int h = picture.Height();
    switch (((clockwiseQuarters % 4) + 4) % 4) {
        case 1:
            return Remap(picture, h, w, [h](int x, int y) { return Point{y, h - 1 - x}; });
        case 2: {
            RgbBuffer out = picture.Clone();
            FlipRows(out);
            MirrorColumns(out);
            return out;
        }
        case 3:
            return Remap(picture, h, w, [w](int x, int y) { return Point{w - 1 - y, x}; });
        default:
            return picture.Clone();
    }
}

RgbBuffer Transpose(const RgbBuffer& picture) {
    return Remap(picture, picture.Height(), picture.Width(), [](int x, int y) { return Point{y, x}; });
}

RgbBuffer Transverse(const RgbBuffer& picture) {
    const int w = picture.Width();
    const int h = picture.Height();
    return Remap(picture, h, w, [w, h](int x, int y) { return Point{w - 1 - y, h - 1 - x}; });
}

RgbBuffer RotateFree(const RgbBuffer& picture, double clockwiseDegrees, bool enlarge, Rgb fill) {
    const double radians = clockwiseDegrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int w = picture.Width();
    const int h = picture.Height();
    int outW = w;
    int outH = h;
    if (enlarge) {
        // The bounding box of the turned picture, with a small tolerance so that sizes such as
        // 99.9999999 do not grow by a pixel.
        outW = std::max(1, static_cast<int>(std::ceil(std::abs(w * c) + std::abs(h * s) - 1e-6)));
        outH = std::max(1, static_cast<int>(std::ceil(std::abs(w * s) + std::abs(h * c) - 1e-6)));
    }
    RgbBuffer out(outW, outH);
    const double cx = w / 2.0;
    const double cy = h / 2.0;
    const double ocx = outW / 2.0;
    const double ocy = outH / 2.0;
    for (int y = 0; y < outH; ++y) {
        std::uint8_t* row = out.Row(y);
        for (int x = 0; x < outW; ++x) {
            // The output pixel's centre turned back (anticlockwise) into the source.
            const double dx = x + 0.5 - ocx;
            const double dy = y + 0.5 - ocy;
            const double sx = c * dx + s * dy + cx - 0.5;
            const double sy = -s * dx + c * dy + cy - 0.5;
            std::uint8_t* px = row + 3 * x;
            if (sx < -0.5 || sy < -0.5 || sx > w - 0.5 || sy > h - 0.5) {
                px[0] = fill.r;
                px[1] = fill.g;
                px[2] = fill.b;
                continue;
            }
            const double fx = std::clamp(sx, 0.0, w - 1.0);
            const double fy = std::clamp(sy, 0.0, h - 1.0);
            const int x0 = static_cast<int>(fx);
            const int y0 = static_cast<int>(fy);
            const int x1 = std::min(x0 + 1, w - 1);
            const int y1 = std::min(y0 + 1, h - 1);
            const double ax = fx - x0;
            const double ay = fy - y0;
            const std::uint8_t* r0 = picture.Row(y0);
            const std::uint8_t* r1 = picture.Row(y1);
            for (int ch = 0; ch < 3; ++ch) {
                const double top = r0[3 * x0 + ch] * (1 - ax) + r0[3 * x1 + ch] * ax;
                const double bottom = r1[3 * x0 + ch] * (1 - ax) + r1[3 * x1 + ch] * ax;
                px[ch] = static_cast<std::uint8_t>(std::lround(top * (1 - ay) + bottom * ay));
            }
        }
    }
    return out;
}

}  // namespace wexbo
