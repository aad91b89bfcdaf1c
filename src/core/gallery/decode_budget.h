// How many pictures are decoded at once: each decode's memory is estimated from its file's frame
// header before it starts, and a decode waits while the ones in flight hold too much.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace wexbo {

// What the frame header of a JPEG file says, for estimating the memory of its decode.
struct JpegFrame {
    int width = 0;
    int height = 0;
    bool progressive = false;
    int components = 0;
    int sampling[4][2] = {};  // horizontal, vertical factor per component
};

enum class FrameSearch { kFound, kNone, kNeedMore };

// Walks the markers of the file's first `size` bytes up to the frame header, skipping every other
// segment. kNone when the bytes are no JPEG (the decoder then reports what is wrong), kNeedMore
// when the header lies further on.
FrameSearch FindJpegFrame(const unsigned char* bytes, std::size_t size, JpegFrame& frame);

// The memory one decode holds, in two kinds.
struct DecodeShare {
    // The file's bytes, the decoded pixels and what is made of them.
    std::uint64_t pixels = 0;
    // The whole-picture coefficient buffer libjpeg needs for a progressive file: at full
    // resolution whatever the scale, so a large progressive picture needs far more than anything else.
    std::uint64_t coefficients = 0;
    // A decode of a format without a scaled decode (HEIF, PNG, WebP, TIFF): the whole picture, the
    // decoder's own buffers and what is made of them. Such decodes are large but ordinary for
    // their kind, so they have a limit of their own and never hold back the JPEG ones.
    std::uint64_t whole = 0;
};

// The share of a decode of `frame` at the smallest scale whose shorter side reaches `needed`.
DecodeShare DecodeShareOf(const JpegFrame& frame, std::uint64_t fileSize, int needed);
// The share of a decode in full of a picture of width × height in another format: the file's
// bytes, the decoder's own buffers (`decoderBytesPerPixel`), the RGB pixels, a copy of them and
// what is made of them.
DecodeShare FullDecodeShareOf(std::uint64_t width, std::uint64_t height, std::uint64_t fileSize,
                              int decoderBytesPerPixel);

// The limits of the decodes in flight for `jobs` threads: a share per thread, so that as many
// ordinary decodes as there are threads run at once (a 24-MP camera picture takes about 14 MB),
// but never more than `memory` (MemoryForDecodes) allows.
struct BudgetLimits {
    std::uint64_t pixels = 0;
    std::uint64_t coefficients = 0;
    std::uint64_t whole = 0;
};
inline constexpr std::uint64_t kPixelSharePerJob = 20ull << 20;        // 20 MB
inline constexpr std::uint64_t kCoefficientSharePerJob = 64ull << 20;  // 64 MB
inline constexpr std::uint64_t kWholeSharePerJob = 320ull << 20;       // a 12-MP HEIF with its planes
BudgetLimits BudgetLimitsFor(unsigned jobs, std::uint64_t memory);

// What the decodes of a run may hold together on this machine: an eighth of its physical memory,
// and no more than its control group allows.
std::uint64_t MemoryForDecodes();

// Admits decodes while their shares fit. The two kinds have limits of their own, so a large
// progressive picture holds back only other progressive pictures, never the ordinary ones beside
// it. A decode that fits nowhere still runs once nothing of its kind is in flight, so no picture
// is refused for its size.
class DecodeBudget {
public:
    DecodeBudget(std::uint64_t pixelLimit, std::uint64_t coefficientLimit,
                 std::uint64_t wholeLimit = kWholeSharePerJob)
        : pixelLimit_(pixelLimit), coefficientLimit_(coefficientLimit), wholeLimit_(wholeLimit) {}

    void Acquire(const DecodeShare& share);
    // Acquire without waiting: false, and nothing taken, when the share does not fit now.
    bool TryAcquire(const DecodeShare& share);
    void Release(const DecodeShare& share);

private:
    bool Fits(const DecodeShare& share) const;

    std::mutex mutex_;
    std::condition_variable released_;
    std::uint64_t pixelLimit_, coefficientLimit_, wholeLimit_;
    DecodeShare used_;
};

}  // namespace wexbo
