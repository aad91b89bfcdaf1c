#include "gallery/web_picture_cache.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>
#include <vector>

#include "util/content_digest.h"
#include "util/files.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

// Changes whenever the conversion's pixels or the entry's layout change, so an update never takes
// pictures made by older code.
constexpr const char* kConversionVersion = "webpair 2; bicubic; jpeg 24 bit, quality factor 4";
constexpr std::string_view kMagic = "WEXBO WEB PICTURES 2\n";

// The encoder's settings where they are not the classic ones.
std::string JpegKeyPart(const char* name, const JpegSettings& jpeg) {
    if (jpeg == JpegSettings{}) return {};
    return std::string(" | ") + name + " " + std::to_string(jpeg.quality) +
           (jpeg.progressive ? " progressive" : " baseline") +
           (jpeg.colourAtHalfHeight ? " 4:2:0" : " 4:2:2") + (jpeg.greyscale ? " grey" : "");
}

long long Nanoseconds(const timespec& time) { return time.tv_sec * 1000000000ll + time.tv_nsec; }

// The entry: the magic line, one line of numbers (source width and height, both web pictures' widths
// and heights, the two files' lengths), one line with the two files' digests, then the overview
// picture's bytes and the full-size picture's bytes.
struct Entry {
    CachedPair pair;
    std::string_view overview, fullSize;
};

std::optional<Entry> ParseEntry(const std::string& bytes) {
    std::string_view rest = bytes;
    if (rest.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    rest.remove_prefix(kMagic.size());
    const std::size_t numbersEnd = rest.find('\n');
    if (numbersEnd == std::string_view::npos) return std::nullopt;
    const std::string numbers(rest.substr(0, numbersEnd));
    rest.remove_prefix(numbersEnd + 1);
    const std::size_t digestsEnd = rest.find('\n');
    if (digestsEnd == std::string_view::npos) return std::nullopt;
    const std::string digests(rest.substr(0, digestsEnd));
    rest.remove_prefix(digestsEnd + 1);
    long long value[8] = {};
    for (std::size_t i = 0; i < 8; ++i)
        if (!ParseInt(NthWord(i + 1, numbers, " "), value[i]) || value[i] < 0) return std::nullopt;
    if (static_cast<std::uint64_t>(value[6]) + static_cast<std::uint64_t>(value[7]) != rest.size())
        return std::nullopt;
    Entry entry;
    entry.overview = rest.substr(0, static_cast<std::size_t>(value[6]));
    entry.fullSize = rest.substr(static_cast<std::size_t>(value[6]));
    entry.pair.overviewDigest = NthWord(1, digests, " ");
    entry.pair.fullSizeDigest = NthWord(2, digests, " ");
    // Every byte is checked: a damaged entry is never trusted.
    if (entry.pair.overviewDigest != ContentDigest(entry.overview) ||
        entry.pair.fullSizeDigest != ContentDigest(entry.fullSize))
        return std::nullopt;
    ConvertedPicture& picture = entry.pair.picture;
    picture.source = {static_cast<int>(value[0]), static_cast<int>(value[1])};
    picture.sizes.overview = {static_cast<int>(value[2]), static_cast<int>(value[3])};
    picture.sizes.fullSize = {static_cast<int>(value[4]), static_cast<int>(value[5])};
    return entry;
}

}  // namespace

WebPictureCache::WebPictureCache(std::string folder, std::uint64_t limitBytes)
    : folder_(AddTrailingBackslash(std::move(folder))), limit_(limitBytes) {}

std::string WebPictureCache::KeyOf(const std::string& source, const WebPictureOptions& options, int density) {
    return KeysOf(source, options, density).back();
}

std::vector<std::string> WebPictureCache::KeysOf(const std::string& source, const WebPictureOptions& options,
                                                 int densities) {
    std::vector<std::string> keys(static_cast<std::size_t>(std::max(densities, 1)));
    struct stat status {};
    if (::stat(source.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return keys;
    const std::string shared =
        std::to_string(status.st_dev) + " " + std::to_string(status.st_ino) + " " +
        std::to_string(status.st_size) + " " + std::to_string(Nanoseconds(status.st_mtim)) + " " +
        std::to_string(Nanoseconds(status.st_ctim)) + " | " + std::to_string(options.overviewSetting) + " " +
        std::to_string(options.fullSizeSetting) + " " + (options.frame ? "frame " : "plain ") +
        std::to_string(options.backgroundColor) + " | " + kConversionVersion +
        // The classic pictures' keys stay those older versions wrote.
        JpegKeyPart("jpeg", options.jpeg) + JpegKeyPart("overview jpeg", options.overviewJpeg);
    for (std::size_t d = 0; d < keys.size(); ++d)
        keys[d] = StableDigest(d == 0 ? shared : shared + " | density " + std::to_string(d + 1));
    return keys;
}

std::optional<CachedPair> WebPictureCache::Take(const std::string& key, const WebPictureJob& job,
                                                bool writeFiles) const {
    if (key.empty()) return std::nullopt;
    const std::string file = EntryFile(key);
    std::string bytes;
    if (!ReadFileBytes(file, bytes)) return std::nullopt;
    const std::optional<Entry> entry = ParseEntry(bytes);
    std::error_code ec;
    if (!entry) {
        fs::remove(file, ec);
        return std::nullopt;
    }
    // The work folder is the run's own: nobody reads a file there half-written.
    if (writeFiles && (!WriteNewFile(job.overviewFile, std::string(entry->overview)) ||
                       !WriteNewFile(job.fullSizeFile, std::string(entry->fullSize))))
        return std::nullopt;  // the conversion that follows reports what is wrong with the folder
    ::utimensat(AT_FDCWD, file.c_str(), nullptr, 0);  // used now: the last to go when the cache is full
    return entry->pair;
}

CachedPair WebPictureCache::Keep(const std::string& key, const ConvertedPicture& picture,
                                 const std::string& overview, const std::string& fullSize) const {
    CachedPair pair{picture, {}, {}};
    pair.overviewDigest = ContentDigest(overview);
    pair.fullSizeDigest = ContentDigest(fullSize);
    if (key.empty()) return pair;
    const ConvertedPicture& p = picture;
    std::string bytes(kMagic);
    for (long long value : {p.source.width, p.source.height, p.sizes.overview.width, p.sizes.overview.height,
                            p.sizes.fullSize.width, p.sizes.fullSize.height})
        bytes += std::to_string(value) + " ";
    bytes += std::to_string(overview.size()) + " " + std::to_string(fullSize.size()) + "\n";
    bytes += pair.overviewDigest + " " + pair.fullSizeDigest + "\n";
    bytes.reserve(bytes.size() + overview.size() + fullSize.size());
    bytes += overview;
    bytes += fullSize;
    EnsureFolder(folder_);
    WriteFileAtomically(EntryFile(key), bytes);
    return pair;
}

void WebPictureCache::Trim(const std::vector<std::string>& inUse) const {
    std::set<std::string> current;
    for (const std::string& key : inUse) current.insert(EntryFile(key));
    struct Kept {
        bool current;
        long long used;
        std::uint64_t size;
        std::string path;
    };
    std::vector<Kept> entries;
    std::uint64_t total = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string path = it->path().string();
        struct stat status {};
        if (!EndsWithIgnoreCase(path, ".webpair") || ::stat(path.c_str(), &status) != 0) continue;
        entries.push_back({current.count(path) > 0, Nanoseconds(status.st_mtim),
                           static_cast<std::uint64_t>(status.st_size), path});
        total += static_cast<std::uint64_t>(status.st_size);
    }
    if (total <= limit_) return;
    std::sort(entries.begin(), entries.end(), [](const Kept& a, const Kept& b) {
        return std::tie(a.current, a.used) < std::tie(b.current, b.used);
    });
    for (const Kept& entry : entries) {
        if (total <= limit_) break;
        if (fs::remove(entry.path, ec)) total -= entry.size;
    }
}

}  // namespace wexbo
