#include "imaging/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace wexbo {

namespace {

float Cubic(double x) {
    x = std::abs(x);
    if (x < 1.0) return static_cast<float>((1.5 * x - 2.5) * x * x + 1.0);
    if (x < 2.0) return static_cast<float>(((-0.5 * x + 2.5) * x - 4.0) * x + 2.0);
    return 0.0f;
}

// For every output position along one axis: the first source index and the weights of the
// source positions from there on, normalised to a sum of 1.
struct Taps {
    int stride = 0;  // weights per output position (the widest filter)
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;
};

Taps MakeTaps(int inSize, int outSize) {
    const double scale = static_cast<double>(inSize) / outSize;
    const double filterScale = std::max(scale, 1.0);
    const double support = 2.0 * filterScale;
    Taps taps;
    taps.stride = static_cast<int>(std::ceil(support)) * 2 + 1;
    taps.first.resize(outSize);
    taps.count.resize(outSize);
    taps.weights.assign(static_cast<std::size_t>(outSize) * taps.stride, 0.0f);
    for (int i = 0; i < outSize; ++i) {
        const double centre = (i + 0.5) * scale;
        const int lo = std::max(0, static_cast<int>(std::floor(centre - support + 0.5)));
        const int hi = std::min(inSize, static_cast<int>(std::floor(centre + support + 0.5)));
        const int n = std::min(hi - lo, taps.stride);
        float* w = &taps.weights[static_cast<std::size_t>(i) * taps.stride];
        double sum = 0;
        for (int k = 0; k < n; ++k) {
            w[k] = Cubic((lo + k + 0.5 - centre) / filterScale);
            sum += w[k];
        }
        if (sum != 0)
            for (int k = 0; k < n; ++k) w[k] = static_cast<float>(w[k] / sum);
        taps.first[i] = lo;
        taps.count[i] = n;
    }
    return taps;
}

inline std::uint8_t ToByte(float v) {
    if (v <= 0.0f) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<std::uint8_t>(v + 0.5f);
}

RgbBuffer ResizeRows(const RgbBuffer& in, int width) {
    const Taps taps = MakeTaps(in.Width(), width);
    RgbBuffer out(width, in.Height());
    for (int y = 0; y < in.Height(); ++y) {
        const std::uint8_t* src = in.Row(y);
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < width; ++x) {
            const float* w = &taps.weights[static_cast<std::size_t>(x) * taps.stride];
            const std::uint8_t* s = src + 3 * taps.first[x];
            float r = 0, g = 0, b = 0;
            for (int k = 0; k < taps.count[x]; ++k, s += 3) {
                r += w[k] * s[0];
                g += w[k] * s[1];
                b += w[k] * s[2];
            }
            dst[3 * x] = ToByte(r);
            dst[3 * x + 1] = ToByte(g);
            dst[3 * x + 2] = ToByte(b);
        }
    }
    return out;
}

RgbBuffer ResizeColumns(const RgbBuffer& in, int height) {
    const Taps taps = MakeTaps(in.Height(), height);
    RgbBuffer out(in.Width(), height);
    const std::size_t n = static_cast<std::size_t>(in.Width()) * 3;
    std::vector<float> sum(n);
    for (int y = 0; y < height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const float* w = &taps.weights[static_cast<std::size_t>(y) * taps.stride];
        for (int k = 0; k < taps.count[y]; ++k) {
            const std::uint8_t* src = in.Row(taps.first[y] + k);
            const float weight = w[k];
            for (std::size_t i = 0; i < n; ++i) sum[i] += weight * src[i];
        }
        std::uint8_t* dst = out.Row(y);
        for (std::size_t i = 0; i < n; ++i) dst[i] = ToByte(sum[i]);
    }
    return out;
}

}  // namespace

RgbBuffer ResizeBicubic(const RgbBuffer& picture, int width, int height) {
    const int w = picture.Width();
    const int h = picture.Height();
    if (w == width && h == height) return picture.Clone();
    if (w == width) return ResizeColumns(picture, height);
    if (h == height) return ResizeRows(picture, width);
    // The second pass costs in proportion to the pixels the first one leaves: start with the axis
    // that shrinks more.
    if (static_cast<double>(width) / w <= static_cast<double>(height) / h)
        return ResizeColumns(ResizeRows(picture, width), height);
    return ResizeRows(ResizeColumns(picture, height), width);
}

}  // namespace wexbo
