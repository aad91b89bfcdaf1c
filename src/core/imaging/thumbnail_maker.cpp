#include "imaging/thumbnail_maker.h"

#include <algorithm>

#include "imaging/lead_image.h"
#include "util/files.h"
#include "util/rounding.h"
#include "util/strings.h"
#include "util/web_names.h"

namespace wexbo {

namespace {

constexpr int kFrameDepth = 2;
constexpr LeadColor kFrameShadow = 0xEAEAEA;  // light grey

// current ÷ total × 100, halves to even; 0 without a total. Kept within the bar's 0 … 100.
int Percentage(const LoadCounters& counters) {
    if (counters.total == 0) return 0;
    const long long percent = RoundHalfEven(static_cast<double>(counters.current) / counters.total * 100.0);
    return static_cast<int>(std::clamp(percent, 0LL, 100LL));
}

}  // namespace

std::string ThumbnailPath(const std::string& cacheFolder, const std::string& picturePath, bool intoCache) {
    // The web name folds case, umlauts and punctuation together; the digest of the exact path keeps
    // "Photo.JPG" and "photo.jpg" of one folder apart.
    if (intoCache)
        return AddTrailingBackslash(cacheFolder) + "thumbs/" + WebFileName(picturePath) + "_" +
               StableDigest(picturePath) + ".jpg";
    const std::size_t slash = picturePath.rfind('/');
    if (slash == std::string::npos) return "_THUMB_" + picturePath;
    return picturePath.substr(0, slash + 1) + "_THUMB_" + picturePath.substr(slash + 1);
}

bool MakeThumbnail(const std::string& cacheFolder, const std::string& picturePath, int height, bool intoCache,
                   bool force, const LoadCounters& counters, const ThumbnailReporter* reporter) {
    const std::string target = ThumbnailPath(cacheFolder, picturePath, intoCache);
    if (!force && FileExists(target)) return false;

    if (reporter && reporter->started) {
        const int percent = Percentage(counters);
        reporter->started(
            reporter->texts(14000) + " " + std::to_string(percent) + " " + reporter->texts(14001), percent);
    }
    bool made = false;
    try {
        TLEADImage image("ThumbnailImage");
        // Decoded at the smallest DCT scale that still gives the thumbnail's height.
        image.LoadForSize(picturePath, 0, height);
        const double ratio = static_cast<double>(image.FileWidth()) / image.FileHeight();
        const int width = static_cast<int>(std::max(1LL, RoundHalfEven(height * ratio)));
        image.Size(width, height, kLeadSizeBicubic);
        image.FramePicture(kFrameDepth, kFrameShadow, kLeadWhite);
        image.Save(target, kLeadFormatJpeg, 24, 4, 0);
        made = true;
    } catch (const ELeadImageError&) {
        // An unreadable picture or an unwritable thumbnail: the list simply shows no picture.
    }
    if (reporter && reporter->finished) reporter->finished("Fertig");
    return made;
}

}  // namespace wexbo
