#include "gallery/web_pictures.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

#include "gallery/decode_budget.h"
#include "imaging/lead_image.h"
#include "imaging/picture_decoder.h"
#include "util/files.h"
#include "util/parallel.h"
#include "util/rounding.h"

namespace wexbo {

namespace {

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

    // The format and stored size of a picture in another format than JPEG, from its header. The
    // header may lie anywhere in the file (a TIFF's directory, a HEIF's boxes), so the file is
    // mapped, and only the pages the header reading touches are read.
    bool PictureSize(PictureFormat& format, int& width, int& height) const {
        if (size_ == 0) return false;
        void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
        if (data == MAP_FAILED) return false;
        const Mapping mapping(data, size_);
        format = PictureFormatOf(mapping.Bytes(), size_);
        return ReadPictureSize(mapping.Bytes(), size_, width, height);
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

// The file's problem as the image component reports it, without the component's name.
std::string ProblemOf(const ELeadImageError& error, const std::string& file) {
    std::string detail = error.Detail();
    if (detail.rfind(file + ": ", 0) == 0) detail.erase(0, file.size() + 2);
    const std::string text = LeadErrorText(error.Code());
    if (detail.empty() || detail == text) return text;
    return text + " (" + detail + ")";
}

// The frame's depth on a web picture for screens of `density` times the pixels: as deep on screen.
constexpr int kFrameDepth = 4;

// Resizes the component's picture, frames it when asked, and saves it; returns the bytes written.
std::string MakeWebPicture(TLEADImage& image, PixelSize size, int density, const JpegSettings& jpeg,
                           const WebPictureOptions& options, const std::string& file) {
    std::string bytes;
    try {
        image.Size(size.width, size.height, kLeadSizeBicubic);
        if (options.frame)
            image.FramePicture(kFrameDepth * density, FrameShadowColor(options.backgroundColor),
                               static_cast<LeadColor>(options.backgroundColor & 0xFFFFFF));
        bytes = image.SaveJpegToMemory(jpeg);
    } catch (const ELeadImageError& error) {
        throw WebPictureError("Cannot write the web picture " + file + ": " + ProblemOf(error, file));
    }
    // Written straight, with no temporary name: the work folder is the run's own, and nothing
    // there is read before the run is done.
    std::string why;
    if (!WriteNewFile(file, bytes, &why))
        throw WebPictureError("Cannot write the web picture " + file + ": " + why);
    return bytes;
}

// A conversion's result with the bytes of the files it wrote.
struct WrittenPair {
    ConvertedPicture picture;
    WebPictureBytes bytes;
};

// `decoderThreads`: the threads a decode may use inside the picture (HEIF), where cores would
// otherwise idle.
WrittenPair ConvertBytes(const unsigned char* bytes, std::size_t size, const WebPictureJob& job,
                         const WebPictureOptions& options, int decoderThreads) {
    TLEADImage image;
    image.SetBackgroundColor(static_cast<LeadColor>(options.backgroundColor & 0xFFFFFF));
    image.SetDecoderThreads(decoderThreads);
    const int density = options.doubleDensity ? 2 : 1;
    const int needed = std::max(options.overviewSetting, options.fullSizeSetting) * density;
    WrittenPair written;
    ConvertedPicture& result = written.picture;
    // The pictures to make, largest first: each is made from the smallest one made before it that
    // covers it (its unframed pixels), or from the decode. Resizing a resize costs far less than
    // resizing the decode again.
    struct Target {
        PixelSize size;
        int density;
        const JpegSettings* jpeg;
        const std::string* file;
        std::string* bytes;
    };
    std::vector<Target> targets;
    try {
        // Every web picture has its setting as its shorter side (within a pixel of rounding).
        image.LoadFromMemory(bytes, size, needed, needed, job.source);
        result.source = {image.FileWidth(), image.FileHeight()};
        result.sizes = TargetSizes(result.source.width, result.source.height, options.overviewSetting,
                                   options.fullSizeSetting);
        if (options.doubleDensity) {
            result.doubleSizes = DoubleDensitySizes(result.source.width, result.source.height,
                                                    options.overviewSetting, options.fullSizeSetting);
            targets.push_back({result.doubleSizes.fullSize, 2, &options.jpeg, &job.fullSize2xFile,
                               &written.bytes.fullSize2x});
        }
        targets.push_back(
            {result.sizes.fullSize, 1, &options.jpeg, &job.fullSizeFile, &written.bytes.fullSize});
        if (options.doubleDensity)
            targets.push_back({result.doubleSizes.overview, 2, &options.overviewJpeg, &job.overview2xFile,
                               &written.bytes.overview2x});
        targets.push_back(
            {result.sizes.overview, 1, &options.overviewJpeg, &job.overviewFile, &written.bytes.overview});
        int needW = 0, needH = 0;
        for (const Target& target : targets) {
            needW = std::max(needW, target.size.width);
            needH = std::max(needH, target.size.height);
        }
        const bool reduced = image.Width() < result.source.width;
        if (reduced && (image.Width() < needW || image.Height() < needH))
            image.LoadFromMemory(bytes, size, needW, needH, job.source);
    } catch (const ELeadImageError& error) {
        throw WebPictureError("Cannot read the picture " + job.source + ": " + ProblemOf(error, job.source));
    }
    const std::string iccProfile = image.IccProfile();
    const std::shared_ptr<const RgbBuffer> decode = image.Snapshot();
    std::vector<std::shared_ptr<const RgbBuffer>> made;
    for (const Target& target : targets) {
        std::shared_ptr<const RgbBuffer> from;
        for (const auto& candidate : made)
            if (candidate->Width() >= target.size.width && candidate->Height() >= target.size.height &&
                (!from || candidate->Width() * static_cast<long long>(candidate->Height()) <
                              from->Width() * static_cast<long long>(from->Height())))
                from = candidate;
        image.SetPicture(from ? from : decode, iccProfile);
        try {
            image.Size(target.size.width, target.size.height, kLeadSizeBicubic);
        } catch (const ELeadImageError& error) {
            throw WebPictureError("Cannot write the web picture " + *target.file + ": " +
                                  ProblemOf(error, *target.file));
        }
        made.push_back(image.Snapshot());
        *target.bytes =
            MakeWebPicture(image, target.size, target.density, *target.jpeg, options, *target.file);
    }
    return written;
}

WrittenPair ConvertSource(const SourceFile& source, const WebPictureJob& job,
                          const WebPictureOptions& options, int decoderThreads = 1) {
    const std::unique_ptr<SourceFile::Mapping> bytes = source.Map();
    return ConvertBytes(bytes->Bytes(), bytes->size, job, options, decoderThreads);
}

// A picture handed to a thread: its file open and its share of the memory budget taken, or why
// the file could not be opened.
struct Handout {
    std::size_t index = 0;
    std::unique_ptr<SourceFile> source;
    DecodeShare share;
    std::exception_ptr error;
};

// Hands the pictures to the threads, the largest files first, so that no thread is left with a
// large one while the others are done. A picture whose decode does not fit the memory budget at
// the moment waits while its thread goes on with others; only when several wait, or nothing else
// is left, does a thread wait for the budget.
class Schedule {
public:
    Schedule(const std::vector<WebPictureJob>& jobs, const WebPictureOptions& options, DecodeBudget& budget)
        : jobs_(jobs),
          needed_(std::max(options.overviewSetting, options.fullSizeSetting) *
                  (options.doubleDensity ? 2 : 1)),
          budget_(budget) {
        std::vector<std::uintmax_t> sizes(jobs.size(), 0);
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            order_.push_back(i);
            struct stat status {};
            if (::stat(jobs[i].source.c_str(), &status) == 0)
                sizes[i] = static_cast<std::uintmax_t>(status.st_size);
        }
        std::stable_sort(order_.begin(), order_.end(),
                         [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
    }

    // The next picture; false when every picture has been handed out.
    bool Next(Handout& next) {
        std::unique_lock lock(mutex_);
        for (auto waiting = waiting_.begin(); waiting != waiting_.end(); ++waiting) {
            if (budget_.TryAcquire(waiting->share)) {
                next = std::move(*waiting);
                waiting_.erase(waiting);
                return true;
            }
        }
        while (opened_ < order_.size() && waiting_.size() < kMostWaiting) {
            Handout candidate = Open(order_[opened_++]);
            if (candidate.error || budget_.TryAcquire(candidate.share)) {
                next = std::move(candidate);
                return true;
            }
            waiting_.push_back(std::move(candidate));
        }
        if (waiting_.empty()) return false;
        next = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        budget_.Acquire(next.share);
        return true;
    }

private:
    static constexpr std::size_t kMostWaiting = 4;

    Handout Open(std::size_t index) const {
        Handout handout;
        handout.index = index;
        try {
            handout.source = std::make_unique<SourceFile>(jobs_[index].source);
        } catch (...) {
            handout.error = std::current_exception();
            return handout;
        }
        handout.share.pixels = handout.source->Size();
        JpegFrame frame;
        int width = 0, height = 0;
        PictureFormat format = PictureFormat::Unknown;
        if (handout.source->Frame(frame))
            handout.share = DecodeShareOf(frame, handout.source->Size(), needed_);
        else if (handout.source->PictureSize(format, width, height))
            handout.share =
                FullDecodeShareOf(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height),
                                  handout.source->Size(), DecoderBytesPerPixel(format));
        return handout;
    }

    const std::vector<WebPictureJob>& jobs_;
    const int needed_;
    DecodeBudget& budget_;
    std::mutex mutex_;
    std::vector<std::size_t> order_;
    std::size_t opened_ = 0;
    std::deque<Handout> waiting_;
};

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

WebPictureSizes DoubleDensitySizes(int width, int height, int overviewSetting, int fullSizeSetting) {
    const int shorter = std::min(width, height);
    const auto setting = [shorter](int single) {
        return static_cast<int>(std::clamp<long long>(shorter, single, 2ll * single));
    };
    return TargetSizes(width, height, setting(overviewSetting), setting(fullSizeSetting));
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
    const SourceFile source(job.source);
    return ConvertSource(source, job, options).picture;
}

std::vector<ConvertedPicture> ConvertWebPictures(const std::vector<WebPictureJob>& jobs,
                                                 const WebPictureOptions& options, unsigned threads,
                                                 const ConversionProgress& progress,
                                                 const std::atomic<bool>* cancel,
                                                 const WrittenPictures& written) {
    const std::size_t count = jobs.size();
    std::vector<ConvertedPicture> results(count);
    std::vector<std::exception_ptr> errors(count);
    // Pictures after the first failing one are left alone; every one before it is still converted,
    // so the error reported is the one a one-by-one conversion would have stopped at.
    std::atomic<std::size_t> firstFailure{count};
    std::atomic<bool> cancelled{false};
    const std::size_t allowed = std::max(1u, threads == 0 ? DefaultJobCount() : threads);
    const std::size_t workers = std::min<std::size_t>(count, allowed);
    // A picture a thread: only when there are fewer pictures than threads may a decode use more.
    const int decoderThreads = count == 0 ? 1 : static_cast<int>(std::max<std::size_t>(1, allowed / count));
    // Decodes in flight share what the machine allows, as many at once as there are threads where
    // that fits (a progressive picture of 24 MP needs 144 MB of coefficients alone).
    const BudgetLimits limits = BudgetLimitsFor(static_cast<unsigned>(workers), MemoryForDecodes());
    DecodeBudget budget(limits.pixels, limits.coefficients, limits.whole);
    Schedule schedule(jobs, options, budget);
    std::mutex progressMutex;
    int done = 0;
    ParallelFor(workers, static_cast<unsigned>(workers), [&](std::size_t) {
        for (Handout handout; schedule.Next(handout);) {
            const std::size_t i = handout.index;
            struct Lease {
                DecodeBudget& budget;
                DecodeShare share;
                ~Lease() { budget.Release(share); }
            } lease{budget, handout.share};  // nothing taken for a file that could not be opened
            if (i > firstFailure.load() || cancelled.load()) continue;
            if (cancel && cancel->load()) {
                cancelled = true;
                continue;
            }
            try {
                if (handout.error) std::rethrow_exception(handout.error);
                const WrittenPair pair = ConvertSource(*handout.source, jobs[i], options, decoderThreads);
                results[i] = pair.picture;
                if (written) written(i, pair.picture, pair.bytes);
            } catch (...) {
                errors[i] = std::current_exception();
                for (std::size_t seen = firstFailure.load();
                     i < seen && !firstFailure.compare_exchange_weak(seen, i);) {
                }
                continue;
            }
            handout.source.reset();
            std::lock_guard lock(progressMutex);
            ++done;
            if (progress) progress(done, static_cast<int>(count));
        }
    });
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
    if (cancelled) throw ConversionCancelled();
    return results;
}

}  // namespace wexbo
