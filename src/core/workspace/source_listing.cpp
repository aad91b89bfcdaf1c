#include "workspace/source_listing.h"

#include <utf8.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "imaging/picture_format.h"
#include "util/files.h"
#include "util/parallel.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

// The base letter of a Latin-1 letter ("é" → 'e', "Ö" → 'o'), lower-cased; other characters as
// they are, ASCII lower-cased.
char32_t FoldLetter(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
    static const char* kBase =  // U+00C0 .. U+00FF
        "aaaaaaaceeeeiiiidnooooo*ouuuuyts"
        "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
    if (c >= 0xC0 && c <= 0xFF && kBase[c - 0xC0] != '*' && kBase[c - 0xC0] != '/') return kBase[c - 0xC0];
    return c;
}

std::u32string CodePoints(const std::string& text) {
    const std::string valid = IsValidUtf8(text) ? text : DecodeText(text);
    std::u32string out;
    utf8::utf8to32(valid.begin(), valid.end(), std::back_inserter(out));
    return out;
}

}  // namespace

bool IsForbiddenSourceFolder(const std::string& folder, const std::string& albumRoot,
                             const std::string& programFolder) {
    const std::string upper = ToUpperAscii(AddTrailingBackslash(folder));
    for (const std::string& guarded : {albumRoot, programFolder}) {
        if (guarded.empty()) continue;
        if (upper.find(ToUpperAscii(AddTrailingBackslash(guarded))) != std::string::npos) return true;
    }
    return false;
}

bool VisibleNameLess(const std::string& a, const std::string& b) {
    const std::u32string x = CodePoints(a), y = CodePoints(b);
    std::u32string fx, fy;
    std::transform(x.begin(), x.end(), std::back_inserter(fx), FoldLetter);
    std::transform(y.begin(), y.end(), std::back_inserter(fy), FoldLetter);
    if (fx != fy) return fx < fy;
    // Otherwise equal: lower case before upper case, then the exact code points.
    for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i) {
        if (x[i] == y[i]) continue;
        const bool xLower = FoldLetter(x[i]) == x[i], yLower = FoldLetter(y[i]) == y[i];
        if (xLower != yLower) return xLower;
        return x[i] < y[i];
    }
    return x.size() < y.size();
}

SourceListing ListSourceFolder(const std::string& cacheFolder, const std::string& sourceFolder, unsigned jobs,
                               const ThumbnailReporter* reporter,
                               const std::function<void(int done, int total)>& progress) {
    SourceListing listing;
    const std::string folder = AddTrailingBackslash(sourceFolder);
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (IsPictureFileName(name)) names.push_back(std::move(name));
    }
    listing.counters.total = static_cast<int>(names.size());
    EnsureFolder(AddTrailingBackslash(cacheFolder) + "thumbs");
    std::atomic<int> done{0};
    ParallelFor(names.size(), jobs, [&](std::size_t i) {
        // Each picture reports its own position in the listing, as a sequential run would.
        const LoadCounters counters{static_cast<int>(i) + 1, listing.counters.total};
        MakeThumbnail(cacheFolder, folder + names[i], 70, true, false, counters, reporter);
        if (progress) progress(++done, static_cast<int>(names.size()));
    });
    listing.counters.current = listing.counters.total;
    std::sort(names.begin(), names.end(), VisibleNameLess);
    for (std::string& name : names) {
        std::string thumbnail = ThumbnailPath(cacheFolder, folder + name, true);
        listing.pictures.push_back({std::move(name), std::move(thumbnail)});
    }
    return listing;
}

}  // namespace wexbo
