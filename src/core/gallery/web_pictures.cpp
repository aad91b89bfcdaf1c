#include "gallery/web_pictures.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

#include "imaging/lead_image.h"
#include "util/files.h"
#include "util/parallel.h"
#include "util/rounding.h"

namespace wexbo {

namespace {

// Decodes in flight may hold this much together (file bytes, libjpeg's whole-picture coefficient
// buffer of progressive files, the decoded and resized pixels). One decode always runs, however
// large, so a picture is never refused for its size.
constexpr std::uint64_t kDecodeMemoryBudget = 40ull << 20;

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

// A source picture file: opened once; its frame header can be looked at before the whole file is
// taken into memory.
class SourceFile {
public:
    explicit SourceFile(const std::string& path) : path_(path) {
        if (FolderExists(path)) throw WebPictureError("Cannot read the picture " + path + ": it is a folder");
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) Fail(std::strerror(errno));
        struct stat status {};
        if (::fstat(fd_, &status) == 0 && status.st_size > 0)
            size_ = static_cast<std::size_t>(status.st_size);
    }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;
    ~SourceFile() {
        if (fd_ >= 0) ::close(fd_);
    }

    std::size_t Size() const { return size_; }

    // The frame header, from the first kilobytes of the file (more when segments before it are long).
    bool Frame(JpegFrame& frame) const {
        std::vector<unsigned char> head;
        for (std::size_t want = 64 * 1024;; want *= 4) {
            head.resize(std::min(want, size_));
            if (!ReadAt(head.data(), head.size(), 0)) return false;
            const FrameSearch search = FindJpegFrame(head.data(), head.size(), frame);
            if (search != FrameSearch::kNeedMore) return search == FrameSearch::kFound;
            if (head.size() == size_) return false;
        }
    }

    // The whole file, mapped read-only and faulted in at once. Unlike a buffer of our own, the
    // pages go back to the system when the mapping ends, so threads that converted a large picture
    // earlier do not keep its size.
    struct Mapping {
        void* data = nullptr;
        std::size_t size = 0;
        Mapping(void* d, std::size_t s) : data(d), size(s) {}
        Mapping(const Mapping&) = delete;
        Mapping& operator=(const Mapping&) = delete;
        ~Mapping() {
            if (data) ::munmap(data, size);
        }
        const unsigned char* Bytes() const { return static_cast<const unsigned char*>(data); }
    };
    std::unique_ptr<Mapping> Map() const {
        if (size_ == 0) Fail("the file is empty");
        void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd_, 0);
        if (data == MAP_FAILED) Fail(std::strerror(errno));
        return std::make_unique<Mapping>(data, size_);
    }

private:
    bool ReadAt(unsigned char* target, std::size_t count, std::size_t offset) const {
        errno = 0;
        for (std::size_t done = 0; done < count;) {
            const ssize_t got = ::pread(fd_, target + done, count - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            done += static_cast<std::size_t>(got);
        }
        return true;
    }
    [[noreturn]] void Fail(const std::string& why) const {
        throw WebPictureError("Cannot read the picture " + path_ + ": " + why);
    }

    std::string path_;
    int fd_ = -1;
    std::size_t size_ = 0;
};

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

// The file's problem as the image component reports it, without the component's name.
std::string ProblemOf(const ELeadImageError& error, const std::string& file) {
    std::string detail = error.Detail();
    if (detail.rfind(file + ": ", 0) == 0) detail.erase(0, file.size() + 2);
    const std::string text = LeadErrorText(error.Code());
    if (detail.empty() || detail == text) return text;
    return text + " (" + detail + ")";
}

// Resizes the component's picture, frames it when asked, and saves it.
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

ConvertedPicture ConvertBytes(const unsigned char* bytes, std::size_t size, const WebPictureJob& job,
                              const WebPictureOptions& options) {
    TLEADImage image;
    const int needed = std::max(options.overviewSetting, options.fullSizeSetting);
    ConvertedPicture result;
    try {
        // Both web pictures have the setting as their shorter side (within a pixel of rounding).
        image.LoadFromMemory(bytes, size, needed, needed, job.source);
        result.source = {image.FileWidth(), image.FileHeight()};
        result.sizes = TargetSizes(result.source.width, result.source.height, options.overviewSetting,
                                   options.fullSizeSetting);
        const int needW = std::max(result.sizes.overview.width, result.sizes.fullSize.width);
        const int needH = std::max(result.sizes.overview.height, result.sizes.fullSize.height);
        const bool reduced = image.Width() < result.source.width;
        if (reduced && (image.Width() < needW || image.Height() < needH))
            image.LoadFromMemory(bytes, size, needW, needH, job.source);
    } catch (const ELeadImageError& error) {
        throw WebPictureError("Cannot read the picture " + job.source + ": " + ProblemOf(error, job.source));
    }
    const std::string iccProfile = image.IccProfile();
    const PixelSize full = result.sizes.fullSize, overview = result.sizes.overview;
    // The overview picture comes from the full-size one before its frame when that is at least as
    // large, which costs far less than resizing the decode again; otherwise from the decode.
    const bool fromFullSize = full.width >= overview.width && full.height >= overview.height;
    std::shared_ptr<const RgbBuffer> start = image.Snapshot();
    try {
        if (fromFullSize) {
            image.Size(full.width, full.height, kLeadSizeBicubic);
            start = image.Snapshot();
        }
    } catch (const ELeadImageError& error) {
        throw WebPictureError("Cannot write the web picture " + job.fullSizeFile + ": " +
                              ProblemOf(error, job.fullSizeFile));
    }
    MakeWebPicture(image, overview, options, job.overviewFile);
    image.SetPicture(start->Clone(), iccProfile);
    MakeWebPicture(image, full, options, job.fullSizeFile);
    return result;
}

// Reads and converts one picture, holding its share of the memory budget from before it is read
// until its web pictures are written.
ConvertedPicture ConvertWithin(MemoryBudget* budget, const WebPictureJob& job,
                               const WebPictureOptions& options) {
    const SourceFile source(job.source);
    std::uint64_t share = 0;
    if (budget) {
        share = source.Size();
        JpegFrame frame;
        if (source.Frame(frame))
            share += DecodeMemory(frame, std::max(options.overviewSetting, options.fullSizeSetting));
        budget->Acquire(share);
    }
    struct Lease {
        MemoryBudget* budget;
        std::uint64_t share;
        ~Lease() {
            if (budget) budget->Release(share);
        }
    } lease{budget, share};
    const std::unique_ptr<SourceFile::Mapping> bytes = source.Map();
    return ConvertBytes(bytes->Bytes(), bytes->size, job, options);
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
