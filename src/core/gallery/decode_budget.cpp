#include "gallery/decode_budget.h"

#include <algorithm>
#include <optional>

#include "util/system_memory.h"

namespace wexbo {

FrameSearch FindJpegFrame(const unsigned char* bytes, std::size_t size, JpegFrame& frame) {
    auto word = [&](std::size_t i) { return bytes[i] << 8 | bytes[i + 1]; };
    if (size < 2) return FrameSearch::kNeedMore;
    if (bytes[0] != 0xFF || bytes[1] != 0xD8) return FrameSearch::kNone;
    for (std::size_t at = 2;;) {
        while (at < size && bytes[at] != 0xFF) ++at;
        while (at < size && bytes[at] == 0xFF) ++at;
        if (at + 2 >= size) return FrameSearch::kNeedMore;
        const int marker = bytes[at++];
        if (marker == 0xD9 || marker == 0xDA) return FrameSearch::kNone;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        const int length = word(at);
        if (length < 2) return FrameSearch::kNone;
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!startOfFrame) {
            at += static_cast<std::size_t>(length);
            continue;
        }
        if (at + static_cast<std::size_t>(length) > size) return FrameSearch::kNeedMore;
        if (length < 8) return FrameSearch::kNone;
        frame.height = word(at + 3);
        frame.width = word(at + 5);
        frame.components = bytes[at + 7];
        frame.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        if (frame.width <= 0 || frame.height <= 0 || frame.components <= 0) return FrameSearch::kNone;
        for (int c = 0; c < frame.components && c < 4; ++c) {
            const std::size_t entry = at + 8 + 3 * static_cast<std::size_t>(c);
            if (entry + 2 > at + static_cast<std::size_t>(length)) return FrameSearch::kNone;
            frame.sampling[c][0] = std::max(1, bytes[entry + 1] >> 4);
            frame.sampling[c][1] = std::max(1, bytes[entry + 1] & 0x0F);
        }
        return FrameSearch::kFound;
    }
}

DecodeShare DecodeShareOf(const JpegFrame& frame, std::uint64_t fileSize, int needed) {
    const std::uint64_t w = frame.width, h = frame.height;
    DecodeShare share;
    if (frame.progressive) {
        // 64 two-byte coefficients per block of each component.
        int maxH = 1, maxV = 1;
        for (int c = 0; c < std::min(frame.components, 4); ++c) {
            maxH = std::max(maxH, frame.sampling[c][0]);
            maxV = std::max(maxV, frame.sampling[c][1]);
        }
        for (int c = 0; c < std::min(frame.components, 4); ++c) {
            const std::uint64_t cw = (w * frame.sampling[c][0] + maxH - 1) / maxH;
            const std::uint64_t ch = (h * frame.sampling[c][1] + maxV - 1) / maxV;
            share.coefficients += ((cw + 7) / 8) * ((ch + 7) / 8) * 128;
        }
    }
    // The decoded pixels at the scale that serves the short side, a copy of them, and the results.
    const std::uint64_t shortSide = std::min(w, h);
    std::uint64_t m = 1;
    while (m < 8 && shortSide * m < static_cast<std::uint64_t>(std::max(needed, 0)) * 8) ++m;
    const std::uint64_t decoded = w * h * m * m / 64 * 3;
    share.pixels = fileSize + 3 * decoded;
    return share;
}

DecodeShare FullDecodeShareOf(std::uint64_t width, std::uint64_t height, std::uint64_t fileSize,
                              int decoderBytesPerPixel) {
    const std::uint64_t pixels = width * height;
    DecodeShare share;
    share.whole =
        fileSize + pixels * static_cast<std::uint64_t>(std::max(decoderBytesPerPixel, 0)) + 3 * 3 * pixels;
    return share;
}

BudgetLimits BudgetLimitsFor(unsigned jobs, std::uint64_t memory) {
    const std::uint64_t threads = std::max(1u, jobs);
    // At least one share each: a decode that fits nowhere still runs alone.
    return {std::max(kPixelSharePerJob, std::min(threads * kPixelSharePerJob, memory)),
            std::max(kCoefficientSharePerJob, std::min(threads * kCoefficientSharePerJob, memory)),
            std::max(kWholeSharePerJob, std::min(threads * kWholeSharePerJob, memory))};
}

std::uint64_t MemoryForDecodes() {
    std::uint64_t memory = PhysicalMemory() / 8;
    if (memory == 0) memory = 512ull << 20;
    if (const std::optional<std::uint64_t> limit = ControlGroupMemoryLimit())
        memory = std::min(memory, *limit);
    return memory;
}

bool DecodeBudget::Fits(const DecodeShare& share) const {
    auto fits = [](std::uint64_t wanted, std::uint64_t used, std::uint64_t limit) {
        return wanted == 0 || used == 0 || used + wanted <= limit;
    };
    return fits(share.pixels, used_.pixels, pixelLimit_) &&
           fits(share.coefficients, used_.coefficients, coefficientLimit_) &&
           fits(share.whole, used_.whole, wholeLimit_);
}

void DecodeBudget::Acquire(const DecodeShare& share) {
    std::unique_lock lock(mutex_);
    released_.wait(lock, [&] { return Fits(share); });
    used_.pixels += share.pixels;
    used_.coefficients += share.coefficients;
    used_.whole += share.whole;
}

bool DecodeBudget::TryAcquire(const DecodeShare& share) {
    std::lock_guard lock(mutex_);
    if (!Fits(share)) return false;
    used_.pixels += share.pixels;
    used_.coefficients += share.coefficients;
    used_.whole += share.whole;
    return true;
}

void DecodeBudget::Release(const DecodeShare& share) {
    {
        std::lock_guard lock(mutex_);
        used_.pixels -= share.pixels;
        used_.coefficients -= share.coefficients;
        used_.whole -= share.whole;
    }
    released_.notify_all();
}

}  // namespace wexbo
