#include "gallery/web_pictures.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>

#include "imaging/lead_image.h"
#include "util/files.h"
#include "util/parallel.h"
#include "util/rounding.h"

namespace wexbo {

namespace {

// Decodes in flight may hold this much together (file bytes, libjpeg's whole-picture coefficient
// buffer of progressive files, the decoded and resized pixels). One decode always runs, however
// large, so a picture is never refused for its size.
constexpr std::uint64_t kDecodeMemoryBudget = 64ull << 20;

class MemoryBudget {
public:
    explicit MemoryBudget(std::uint64_t limit) : limit_(limit) {}
    void Acquire(std::uint64_t amount) {
        std::unique_lock lock(mutex_);
        released_.wait(lock, [&] { return used_ == 0 || used_ + amount <= limit_; });
        used_ += amount;
    }
    void Release(std::uint64_t amount) {
        {
            std::lock_guard lock(mutex_);
            used_ -= amount;
        }
        released_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    std::uint64_t limit_;
    std::uint64_t used_ = 0;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// What the frame header of a JPEG file says, for estimating the memory of its decode.
struct JpegFrame {
    int width = 0;
    int height = 0;
    bool progressive = false;
    int components = 0;
    int sampling[4][2] = {};  // horizontal, vertical factor per component
};

int ReadByte(std::FILE* file) { return std::fgetc(file); }

int ReadWord(std::FILE* file) {
    const int high = ReadByte(file), low = ReadByte(file);
    return high < 0 || low < 0 ? -1 : high << 8 | low;
}

// Walks the markers up to the frame header, skipping every other segment. False when the file is
// no JPEG or ends first; the decoder then reports what is wrong.
bool ReadJpegFrame(std::FILE* file, JpegFrame& frame) {
    if (ReadByte(file) != 0xFF || ReadByte(file) != 0xD8) return false;
    for (;;) {
        int byte = ReadByte(file);
        while (byte >= 0 && byte != 0xFF) byte = ReadByte(file);
        int marker = ReadByte(file);
        while (marker == 0xFF) marker = ReadByte(file);
        if (marker < 0 || marker == 0xD9 || marker == 0xDA) return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        const int length = ReadWord(file);
        if (length < 2) return false;
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!startOfFrame) {
            if (std::fseek(file, length - 2, SEEK_CUR) != 0) return false;
            continue;
        }
        ReadByte(file);  // sample precision
        frame.height = ReadWord(file);
        frame.width = ReadWord(file);
        frame.components = ReadByte(file);
        frame.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        if (frame.width <= 0 || frame.height <= 0 || frame.components <= 0) return false;
        for (int c = 0; c < frame.components && c < 4; ++c) {
            ReadByte(file);  // component id
            const int factors = ReadByte(file);
            ReadByte(file);  // quantisation table
            if (factors < 0) return false;
            frame.sampling[c][0] = std::max(1, factors >> 4);
            frame.sampling[c][1] = std::max(1, factors & 0x0F);
        }
        return true;
    }
}

// Memory a decode of the frame needs beyond the file's bytes, for the short side `needed`.
std::uint64_t DecodeMemory(const JpegFrame& frame, int needed) {
    const std::uint64_t w = frame.width, h = frame.height;
    std::uint64_t bytes = 0;
    if (frame.progressive) {
        // The whole-picture coefficient buffer: 64 two-byte coefficients per block of each component.
        int maxH = 1, maxV = 1;
        for (int c = 0; c < std::min(frame.components, 4); ++c) {
            maxH = std::max(maxH, frame.sampling[c][0]);
            maxV = std::max(maxV, frame.sampling[c][1]);
        }
        for (int c = 0; c < std::min(frame.components, 4); ++c) {
            const std::uint64_t cw = (w * frame.sampling[c][0] + maxH - 1) / maxH;
            const std::uint64_t ch = (h * frame.sampling[c][1] + maxV - 1) / maxV;
            bytes += ((cw + 7) / 8) * ((ch + 7) / 8) * 128;
        }
    }
    // The decoded pixels at the scale that serves the short side, a copy of them, and the results.
    const std::uint64_t shortSide = std::min(w, h);
    int m = 1;
    while (m < 8 && shortSide * m < static_cast<std::uint64_t>(needed) * 8) ++m;
    const std::uint64_t decoded = w * h * m * m / 64 * 3;
    return bytes + 3 * decoded;
}

std::string ErrnoText() { return std::strerror(errno); }

// The file's problem as the image component reports it, without the component's name.
std::string ProblemOf(const ELeadImageError& error, const std::string& file) {
    std::string detail = error.Detail();
    if (detail.rfind(file + ": ", 0) == 0) detail.erase(0, file.size() + 2);
    const std::string text = LeadErrorText(error.Code());
    if (detail.empty() || detail == text) return text;
    return text + " (" + detail + ")";
}

void MakeWebPicture(TLEADImage& image, PixelSize size, const WebPictureOptions& options,
                    const std::string& file) {
    try {
        image.Size(size.width, size.height, kLeadSizeBicubic);
        if (options.frame)
            image.FramePicture(4, FrameShadowColor(options.backgroundColor),
                               static_cast<LeadColor>(options.backgroundColor & 0xFFFFFF));
        image.Save(file, kLeadFormatJpeg, 24, 4);
    } catch (const ELeadImageError& error) {
        throw WebPictureError("Cannot write the web picture " + file + ": " + ProblemOf(error, file));
    }
}

ConvertedPicture ConvertBytes(const std::string& bytes, const WebPictureJob& job,
                              const WebPictureOptions& options) {
    TLEADImage image;
    const int needed = std::max(options.overviewSetting, options.fullSizeSetting);
    ConvertedPicture result;
    try {
        // Both web pictures have the setting as their shorter side (within a pixel of rounding).
        image.LoadFromMemory(bytes.data(), bytes.size(), needed, needed, job.source);
        result.source = {image.FileWidth(), image.FileHeight()};
        result.sizes = TargetSizes(result.source.width, result.source.height, options.overviewSetting,
                                   options.fullSizeSetting);
        const int needW = std::max(result.sizes.overview.width, result.sizes.fullSize.width);
        const int needH = std::max(result.sizes.overview.height, result.sizes.fullSize.height);
        const bool reduced = image.Width() < result.source.width;
        if (reduced && (image.Width() < needW || image.Height() < needH))
            image.LoadFromMemory(bytes.data(), bytes.size(), needW, needH, job.source);
    } catch (const ELeadImageError& error) {
        throw WebPictureError("Cannot read the picture " + job.source + ": " + ProblemOf(error, job.source));
    }
    const std::shared_ptr<const RgbBuffer> decoded = image.Snapshot();
    const std::string iccProfile = image.IccProfile();
    MakeWebPicture(image, result.sizes.fullSize, options, job.fullSizeFile);
    image.SetPicture(decoded->Clone(), iccProfile);
    MakeWebPicture(image, result.sizes.overview, options, job.overviewFile);
    return result;
}

File OpenSource(const std::string& path) {
    if (FolderExists(path)) throw WebPictureError("Cannot read the picture " + path + ": it is a folder");
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) throw WebPictureError("Cannot read the picture " + path + ": " + ErrnoText());
    return file;
}

std::string ReadRest(std::FILE* file, const std::string& path) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        throw WebPictureError("Cannot read the picture " + path + ": " + ErrnoText());
    const long size = std::ftell(file);
    std::rewind(file);
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw WebPictureError("Cannot read the picture " + path + ": " + ErrnoText());
    return bytes;
}

// Reads and converts one picture, holding its share of the memory budget meanwhile.
ConvertedPicture ConvertWithin(MemoryBudget* budget, const WebPictureJob& job,
                               const WebPictureOptions& options) {
    File file = OpenSource(job.source);
    std::uint64_t share = 0;
    if (budget) {
        JpegFrame frame;
        const bool known = ReadJpegFrame(file.get(), frame);
        std::fseek(file.get(), 0, SEEK_END);
        share = static_cast<std::uint64_t>(std::max(0L, std::ftell(file.get())));
        if (known) share += DecodeMemory(frame, std::max(options.overviewSetting, options.fullSizeSetting));
        budget->Acquire(share);
    }
    struct Lease {
        MemoryBudget* budget;
        std::uint64_t share;
        ~Lease() {
            if (budget) budget->Release(share);
        }
    } lease{budget, share};
    const std::string bytes = ReadRest(file.get(), job.source);
    file.reset();
    return ConvertBytes(bytes, job, options);
}

}  // namespace

WebPictureSizes TargetSizes(int width, int height, int overviewSetting, int fullSizeSetting) {
    const bool landscape = width >= height;
    auto sized = [&](int setting) {
        PixelSize size;
        const long long w =
            landscape ? RoundHalfEven(static_cast<double>(width) / height * setting) : setting;
        size.width = static_cast<int>(std::clamp<long long>(w, 1, std::numeric_limits<int>::max()));
        const long long h = RoundHalfEven(static_cast<double>(size.width) * height / width);
        size.height = static_cast<int>(std::clamp<long long>(h, 1, std::numeric_limits<int>::max()));
        return size;
    };
    return {sized(overviewSetting), sized(fullSizeSetting)};
}

std::uint32_t FrameShadowColor(long long backgroundColor) {
    std::uint32_t shadow = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const long long channel = (backgroundColor >> shift) & 0xFF;
        shadow |= static_cast<std::uint32_t>(RoundHalfEven(channel * 9 / 10.0)) << shift;
    }
    return shadow;
}

ConvertedPicture ConvertWebPicture(const WebPictureJob& job, const WebPictureOptions& options) {
    return ConvertWithin(nullptr, job, options);
}

std::vector<ConvertedPicture> ConvertWebPictures(const std::vector<WebPictureJob>& jobs,
                                                 const WebPictureOptions& options, unsigned threads,
                                                 const ConversionProgress& progress,
                                                 const std::atomic<bool>* cancel) {
    const std::size_t count = jobs.size();
    std::vector<ConvertedPicture> results(count);
    std::vector<std::exception_ptr> errors(count);
    // Pictures after the first failing one are left alone; every one before it is still converted,
    // so the error reported is the one a one-by-one conversion would have stopped at.
    std::atomic<std::size_t> firstFailure{count};
    std::atomic<bool> cancelled{false};
    MemoryBudget budget(kDecodeMemoryBudget);
    std::mutex progressMutex;
    int done = 0;
    ParallelFor(count, threads == 0 ? DefaultJobCount() : threads, [&](std::size_t i) {
        if (i > firstFailure.load() || cancelled.load()) return;
        if (cancel && cancel->load()) {
            cancelled = true;
            return;
        }
        try {
            results[i] = ConvertWithin(&budget, jobs[i], options);
        } catch (...) {
            errors[i] = std::current_exception();
            for (std::size_t seen = firstFailure.load();
                 i < seen && !firstFailure.compare_exchange_weak(seen, i);) {
            }
            return;
        }
        std::lock_guard lock(progressMutex);
        ++done;
        if (progress) progress(done, static_cast<int>(count));
    });
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
    if (cancelled) throw ConversionCancelled();
    return results;
}

}  // namespace wexbo
