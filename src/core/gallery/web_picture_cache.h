// A cache of web pictures, so that a rebuild converts only the pictures that changed. An entry is
// one file holding both web pictures of a source and what the pages need to know of them, keyed
// by the source's identity and by everything that shapes the pictures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gallery/web_pictures.h"

namespace wexbo {

inline constexpr std::uint64_t kDefaultWebPictureCacheLimit = 2ull << 30;  // 2 GB

// A pair as the cache holds it: what the pages need, and the digests of the two files'
// bytes (ContentDigest), which publishing compares with what the output folder holds.
struct CachedPair {
    ConvertedPicture picture;
    std::string overviewDigest;
    std::string fullSizeDigest;
};

class WebPictureCache {
public:
    // `folder` ends in "/" and is made when the first entry is kept.
    WebPictureCache(std::string folder, std::uint64_t limitBytes = kDefaultWebPictureCacheLimit);

    // The key of a source's pair: the file's device, inode, size, and modification and change times
    // in nanoseconds (an edit in place, even a `touch`, is converted again), both sizes, the frame
    // and its background colour, the encoder's settings (which differ between the page styles), the
    // density and the version of the conversion. "" when
    // the source cannot be looked at (it is then converted, and its error reported as usual).
    // `density` 2 is the key of the pair for screens of twice the density.
    static std::string KeyOf(const std::string& source, const WebPictureOptions& options, int density = 1);
    // The keys of densities 1 to `densities`, from one look at the source.
    static std::vector<std::string> KeysOf(const std::string& source, const WebPictureOptions& options,
                                           int densities);

    // Writes the pair kept under `key` to the job's two files (only checks it, with `writeFiles`
    // false: a caller that may not need the files writes them later with a second Take). None on
    // a miss, and for an entry that is truncated or damaged, which is removed and never trusted.
    std::optional<CachedPair> Take(const std::string& key, const WebPictureJob& job,
                                   bool writeFiles = true) const;

    // Keeps the pair just converted, given the bytes of its two files. A failure only costs a later
    // conversion; the digests are those of the bytes given, whatever becomes of the entry.
    CachedPair Keep(const std::string& key, const ConvertedPicture& picture, const std::string& overview,
                    const std::string& fullSize) const;

    // Removes the least recently used entries until the cache holds at most its limit; the entries
    // of `inUse` (the run's own) go last, whatever their file times (which may share a clock tick).
    // Runs after the gallery is published, since a deferred Take needs its entry until then.
    void Trim(const std::vector<std::string>& inUse = {}) const;

    std::string EntryFile(const std::string& key) const { return folder_ + key + ".webpair"; }

private:
    std::string folder_;
    std::uint64_t limit_;
};

}  // namespace wexbo
