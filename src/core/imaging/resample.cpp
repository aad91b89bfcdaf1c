#include "imaging/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace wexbo {

namespace {

// Each pass is compiled twice where the compiler can: for any x86-64 processor and for those with
// AVX2 and FMA, the loops inlined into it running twice as wide; the program picks one when it
// starts, so the pictures it makes are the same from run to run on one machine.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define WEXBO_PASS __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define WEXBO_PASS
#endif
#define WEXBO_IN_PASS [[gnu::always_inline]] inline

// Four floats in one register: a pixel's red, green and blue, and one lane of no interest.
using Float4 = float __attribute__((vector_size(16)));

float Cubic(double x) {
    x = std::abs(x);
    if (x < 1.0) return static_cast<float>((1.5 * x - 2.5) * x * x + 1.0);
    if (x < 2.0) return static_cast<float>(((-0.5 * x + 2.5) * x - 4.0) * x + 2.0);
    return 0.0f;
}

// For every output position along one axis: the first source index and the weights of the
// source positions from there on, normalised to a sum of 1. `first` and `first + count` never
// decrease from one output position to the next, and count never exceeds stride.
struct Taps {
    int stride = 0;  // weights per output position (the widest filter)
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;

    const float* WeightsOf(int i) const { return &weights[static_cast<std::size_t>(i) * stride]; }
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

// Rounded and clamped to 0…255, written so that loops over many values run four at a time.
WEXBO_IN_PASS std::uint8_t ToByte(float v) {
    v += 0.5f;
    v = v > 0.0f ? v : 0.0f;
    v = v < 255.0f ? v : 255.0f;
    return static_cast<std::uint8_t>(static_cast<int>(v));
}

// A pixel's sums into its three values.
WEXBO_IN_PASS void StorePixel(float* target, Float4 sum) {
    target[0] = sum[0];
    target[1] = sum[1];
    target[2] = sum[2];
}
WEXBO_IN_PASS void StorePixel(std::uint8_t* target, Float4 sum) {
    const Float4 zero = {0, 0, 0, 0}, top = {255, 255, 255, 255};
    sum += 0.5f;
    sum = sum > zero ? sum : zero;
    sum = sum < top ? sum : top;
    using Int4 = int __attribute__((vector_size(16)));
    const Int4 values = __builtin_convertvector(sum, Int4);
    target[0] = static_cast<std::uint8_t>(values[0]);
    target[1] = static_cast<std::uint8_t>(values[1]);
    target[2] = static_cast<std::uint8_t>(values[2]);
}

// Rows of floats with room for one more float after the last pixel, so that a pixel's three
// values can be loaded as one Float4 anywhere in the row. Row(i) of a longer sequence of rows
// lands on Row(i % count): a filter moving down the picture keeps only the rows it still needs.
class FloatRows {
public:
    FloatRows(int count, std::size_t values) : count_(count), stride_(values + 1), data_(stride_ * count) {}
    float* Row(int i) { return &data_[stride_ * static_cast<std::size_t>(i % count_)]; }

private:
    int count_;
    std::size_t stride_;
    std::vector<float> data_;
};

WEXBO_IN_PASS Float4 LoadPixel(const float* p) {
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Rows filtered along the horizontal axis together, so that their sums do not wait on each other.
constexpr int kBatch = 4;

// `Rows` rows along the horizontal axis: every output pixel from the source pixels under its filter.
template <int Rows, typename Out>
WEXBO_IN_PASS void FilterRows(float* const* sources, const Taps& taps, Out* const* targets, int width) {
    for (int x = 0; x < width; ++x) {
        const float* w = taps.WeightsOf(x);
        const std::size_t at = 3 * static_cast<std::size_t>(taps.first[x]);
        const int n = taps.count[x];
        Float4 sum[Rows] = {};
        for (int k = 0; k < n; ++k) {
            const float weight = w[k];
            for (int r = 0; r < Rows; ++r) sum[r] += LoadPixel(sources[r] + at + 3 * k) * weight;
        }
        for (int r = 0; r < Rows; ++r) StorePixel(targets[r] + 3 * x, sum[r]);
    }
}

template <typename Out>
WEXBO_IN_PASS void FilterBatch(float* const* sources, int rows, const Taps& taps, Out* const* targets,
                               int width) {
    switch (rows) {
        case 4:
            return FilterRows<4>(sources, taps, targets, width);
        case 3:
            return FilterRows<3>(sources, taps, targets, width);
        case 2:
            return FilterRows<2>(sources, taps, targets, width);
        default:
            return FilterRows<1>(sources, taps, targets, width);
    }
}

// Along the vertical axis: sum[i] = Σ w[k] · rows[k][i], two rows at a time.
WEXBO_IN_PASS void WeightedSum(const float* const* rows, const float* w, int n, std::size_t values,
                               float* sum) {
    int k = 0;
    if (n == 1) {
        for (std::size_t i = 0; i < values; ++i) sum[i] = w[0] * rows[0][i];
        return;
    }
    {
        const float *a = rows[0], *b = rows[1];
        for (std::size_t i = 0; i < values; ++i) sum[i] = w[0] * a[i] + w[1] * b[i];
        k = 2;
    }
    for (; k + 1 < n; k += 2) {
        const float *a = rows[k], *b = rows[k + 1];
        const float wa = w[k], wb = w[k + 1];
        for (std::size_t i = 0; i < values; ++i) sum[i] += wa * a[i] + wb * b[i];
    }
    if (k < n) {
        const float* a = rows[k];
        for (std::size_t i = 0; i < values; ++i) sum[i] += w[k] * a[i];
    }
}

WEXBO_IN_PASS void ToFloats(const std::uint8_t* source, std::size_t values, float* target) {
    for (std::size_t i = 0; i < values; ++i) target[i] = source[i];
}

WEXBO_IN_PASS void ToBytes(const float* source, std::size_t values, std::uint8_t* target) {
    for (std::size_t i = 0; i < values; ++i) target[i] = ToByte(source[i]);
}

// Vertical filter first, then the horizontal one on each batch of rows it gives. Every source
// row is turned into floats once, into a ring of as many rows as the vertical filter spans.
// `horizontal` is null when the width stays.
WEXBO_PASS RgbBuffer ColumnsThenRows(const RgbBuffer& in, int width, int height, const Taps& vertical,
                                     const Taps* horizontal) {
    const std::size_t values = static_cast<std::size_t>(in.Width()) * 3;
    RgbBuffer out(width, height);
    FloatRows source(vertical.stride, values), sums(kBatch, values);
    std::vector<const float*> rows(vertical.stride);
    int converted = 0;  // source rows in floats so far
    for (int top = 0; top < height; top += kBatch) {
        const int batch = std::min(kBatch, height - top);
        float* batchSums[kBatch];
        std::uint8_t* targets[kBatch];
        for (int b = 0; b < batch; ++b) {
            const int y = top + b, first = vertical.first[y], n = vertical.count[y];
            for (; converted < first + n; ++converted)
                ToFloats(in.Row(converted), values, source.Row(converted));
            for (int k = 0; k < n; ++k) rows[k] = source.Row(first + k);
            batchSums[b] = sums.Row(b);
            targets[b] = out.Row(y);
            WeightedSum(rows.data(), vertical.WeightsOf(y), n, values, batchSums[b]);
            if (!horizontal) ToBytes(batchSums[b], values, targets[b]);
        }
        if (horizontal) FilterBatch(batchSums, batch, *horizontal, targets, width);
    }
    return out;
}

// Horizontal filter first, each source row once, in batches, into a ring of the filtered rows the
// vertical filter still needs; every output row combines the ring's rows under its filter.
// `vertical` is null when the height stays.
WEXBO_PASS RgbBuffer RowsThenColumns(const RgbBuffer& in, int width, int height, const Taps& horizontal,
                                     const Taps* vertical) {
    const int h = in.Height();
    const std::size_t inValues = static_cast<std::size_t>(in.Width()) * 3;
    const std::size_t values = static_cast<std::size_t>(width) * 3;
    RgbBuffer out(width, height);
    FloatRows source(kBatch, inValues);
    float* sources[kBatch];
    for (int b = 0; b < kBatch; ++b) sources[b] = source.Row(b);
    if (!vertical) {
        for (int top = 0; top < h; top += kBatch) {
            const int batch = std::min(kBatch, h - top);
            std::uint8_t* targets[kBatch];
            for (int b = 0; b < batch; ++b) {
                ToFloats(in.Row(top + b), inValues, sources[b]);
                targets[b] = out.Row(top + b);
            }
            FilterBatch(sources, batch, horizontal, targets, width);
        }
        return out;
    }
    // A batch may run up to kBatch - 1 rows ahead of what the current output row needs.
    FloatRows ring(vertical->stride + kBatch - 1, values), sum(1, values);
    std::vector<const float*> rows(vertical->stride);
    int filtered = 0;  // source rows filtered so far
    for (int y = 0; y < height; ++y) {
        const int first = vertical->first[y], n = vertical->count[y];
        while (filtered < first + n) {
            const int batch = std::min(kBatch, h - filtered);
            float* targets[kBatch];
            for (int b = 0; b < batch; ++b) {
                ToFloats(in.Row(filtered + b), inValues, sources[b]);
                targets[b] = ring.Row(filtered + b);
            }
            FilterBatch(sources, batch, horizontal, targets, width);
            filtered += batch;
        }
        for (int k = 0; k < n; ++k) rows[k] = ring.Row(first + k);
        WeightedSum(rows.data(), vertical->WeightsOf(y), n, values, sum.Row(0));
        ToBytes(sum.Row(0), values, out.Row(y));
    }
    return out;
}

}  // namespace

RgbBuffer ResizeBicubic(const RgbBuffer& picture, int width, int height) {
    const int w = picture.Width();
    const int h = picture.Height();
    if (w == width && h == height) return picture.Clone();
    if (w == width) return ColumnsThenRows(picture, width, height, MakeTaps(h, height), nullptr);
    const Taps horizontal = MakeTaps(w, width);
    if (h == height) return RowsThenColumns(picture, width, height, horizontal, nullptr);
    const Taps vertical = MakeTaps(h, height);
    // Either order gives the same picture within rounding; take the one with fewer steps. The
    // horizontal filter takes a pixel's three values in one step, the vertical one four values.
    const double columnsFirst =
        double(height) * (w * 0.75 * vertical.stride + double(width) * horizontal.stride);
    const double rowsFirst =
        double(h) * width * horizontal.stride + double(height) * width * 0.75 * vertical.stride;
    if (columnsFirst <= rowsFirst) return ColumnsThenRows(picture, width, height, vertical, &horizontal);
    return RowsThenColumns(picture, width, height, horizontal, &vertical);
}

}  // namespace wexbo
