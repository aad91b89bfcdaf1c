// The source list: the pictures of the source folder with their cached thumbnails.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "imaging/thumbnail_maker.h"

namespace wexbo {

// True when `folder` is, or lies inside, the album root or the program folder (compared without
// regard to case): such folders cannot be a source folder.
bool IsForbiddenSourceFolder(const std::string& folder, const std::string& albumRoot,
                             const std::string& programFolder);

// Orders two file names alphabetically: letters compare without regard to case or accents, and
// case decides only between otherwise equal names.
bool VisibleNameLess(const std::string& a, const std::string& b);

struct SourcePicture {
    std::string name;           // the file name exactly as on disk (it need not be UTF-8)
    std::string thumbnailPath;  // its thumbnail in the cache
};

struct SourceListing {
    std::vector<SourcePicture> pictures;  // sorted by VisibleNameLess
    LoadCounters counters;                // as the listing left them (for later thumbnails' percentage)
};

// Lists every entry of the folder that IsPictureFileName takes (files and folders alike; a folder
// or a file that cannot be read gets no thumbnail and is shown as broken), making missing cache
// thumbnails on up to `jobs` threads. `progress` gets (made, total) as
// thumbnails are finished. The result is the same for any job count.
SourceListing ListSourceFolder(const std::string& cacheFolder, const std::string& sourceFolder, unsigned jobs,
                               const ThumbnailReporter* reporter = nullptr,
                               const std::function<void(int done, int total)>& progress = {});

}  // namespace wexbo
