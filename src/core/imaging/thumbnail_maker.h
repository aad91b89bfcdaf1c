// The one routine that makes every thumbnail of the program: the cached thumbnails of source
// pictures and the album thumbnails beside album pictures.
#pragma once

#include <functional>
#include <string>

#include "app/language_table.h"

namespace wexbo {

// Set by the callers that make many thumbnails (source listing, album opening) for the percentage.
struct LoadCounters {
    int current = 0;  // index of the picture being loaded
    int total = 0;    // number of lines less one, as the caller sets it
};

// How MakeThumbnail reports its progress; both callbacks are optional and run on the calling thread.
struct ThumbnailReporter {
    // Before a thumbnail is made: text 14000, a blank, the percentage, a blank, text 14001; and
    // the percentage for the progress bar.
    std::function<void(const std::string& statusText, int percent)> started;
    // Afterwards, whether or not the thumbnail could be made: "Fertig".
    std::function<void(const std::string& statusText)> finished;
    Texts texts;  // the language of the status texts
};

// The thumbnail file of a picture: the cache folder + "thumbs/" + WebFileName(picturePath) + "_" +
// StableDigest(picturePath) + ".jpg" when intoCache is set, else the picture's folder + "_THUMB_" +
// its file name.
std::string ThumbnailPath(const std::string& cacheFolder, const std::string& picturePath, bool intoCache);

// Makes the thumbnail of a picture: `height` pixels high (always 70 in the program), the width
// from the proportions (rounded, halves to even), framed (depth 2, shadow 0xEAEAEA, white corners)
// and saved as JPEG. Skipped, with no report, when the thumbnail exists and `force` is not set.
// True when a thumbnail was written; false when skipped, and false (silently) when the picture
// cannot be read or the thumbnail cannot be written. Safe to call from several threads at once.
bool MakeThumbnail(const std::string& cacheFolder, const std::string& picturePath, int height, bool intoCache,
                   bool force, const LoadCounters& counters, const ThumbnailReporter* reporter = nullptr);

}  // namespace wexbo
