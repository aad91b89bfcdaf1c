#include "imaging/shape_frame.h"

#include <algorithm>

namespace wexbo {

namespace {

inline void Put(RgbBuffer& picture, int x, int y, Rgb color) {
    std::uint8_t* p = picture.Row(y) + 3 * x;
    p[0] = color.r;
    p[1] = color.g;
    p[2] = color.b;
}

// Clipped span [x0, x1) of row y.
void FillSpan(RgbBuffer& picture, int y, int x0, int x1, Rgb color) {
    if (y < 0 || y >= picture.Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, picture.Width());
    for (int x = x0; x < x1; ++x) Put(picture, x, y, color);
}

}  // namespace

void FillRect(RgbBuffer& picture, int left, int top, int width, int height, Rgb color) {
    const int y0 = std::max(top, 0);
    const int y1 = std::min(top + height, picture.Height());
    for (int y = y0; y < y1; ++y) FillSpan(picture, y, left, left + width, color);
}

void DrawFrameShape(RgbBuffer& picture, const LeadShape& shape) {
    const int sx = std::max(shape.shadowXDepth, 0);
    const int sy = std::max(shape.shadowYDepth, 0);
    const int fx = shape.left;
    const int fy = shape.top;
    const int fw = shape.width - sx;
    const int fh = shape.height - sy;
    if (fw <= 0 || fh <= 0) return;

    // Shadow: the frame rectangle moved right and down, where the frame does not lie over it.
    const Rgb shadow = ToRgb(shape.shadowColor);
    if (sx > 0 || sy > 0) {
        for (int y = fy + sy; y < fy + sy + fh; ++y) {
            const bool besideFrame = y < fy + fh;
            FillSpan(picture, y, besideFrame ? std::max(fx + sx, fx + fw) : fx + sx, fx + sx + fw, shadow);
        }
    }

    // Border, then the inner band inside it.
    const int b = std::max(shape.borderThickness, 0);
    const Rgb border = ToRgb(shape.borderColor);
    FillRect(picture, fx, fy, fw, std::min(b, fh), border);
    FillRect(picture, fx, fy + fh - std::min(b, fh), fw, std::min(b, fh), border);
    FillRect(picture, fx, fy, std::min(b, fw), fh, border);
    FillRect(picture, fx + fw - std::min(b, fw), fy, std::min(b, fw), fh, border);

    const int t = std::max(shape.innerBandThickness, 0);
    const int bx = fx + b, by = fy + b, bw = fw - 2 * b, bh = fh - 2 * b;
    if (t == 0 || bw <= 0 || bh <= 0) return;
    Rgb lit = ToRgb(shape.innerBandHiliteColor);
    Rgb dark = ToRgb(shape.innerBandShadowColor);
    if (!shape.innerBandRaised) std::swap(lit, dark);
    for (int v = 0; v < bh; ++v) {
        const int y = by + v;
        if (y < 0 || y >= picture.Height()) continue;
        const bool edgeRow = v < t || bh - 1 - v < t;
        for (int u = 0; u < bw; ++u) {
            if (!edgeRow && u == t) u = std::max(u, bw - t);  // skip the inside of the band
            const int x = bx + u;
            if (x < 0 || x >= picture.Width()) continue;
            // The nearest edge decides: top or left edges are lit, bottom or right ones dark.
            const int nearLit = std::min(v, u);
            const int nearDark = std::min(bh - 1 - v, bw - 1 - u);
            if (std::min(nearLit, nearDark) >= t) continue;
            Put(picture, x, y, nearLit <= nearDark ? lit : dark);
        }
    }
}

}  // namespace wexbo
