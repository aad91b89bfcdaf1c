// The generation run: an album's pictures and gallery settings in, a complete online gallery out.
// The whole gallery is built in the work folder; the output folder changes only at the end, when
// everything has worked.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "album/gallery_picture.h"
#include "app/language_table.h"
#include "gallery/gallery_settings.h"
#include "gallery/page_picks.h"
#include "gallery/web_picture_cache.h"

namespace wexbo {

struct GenerationFolders {
    std::string programFolder;   // holds "slidescript/" and the shipped "buttons/"
    std::string dataFolder;      // holds the user's "buttons/" and the record of written files
    std::string workFolder;      // where the gallery is built; emptied of files first
    std::string templateFolder;  // where the template pairs are written (the settings folder for the window)
    std::string outputFolder;    // where the finished gallery goes
    std::string cacheFolder;     // holds "web-pictures/", the cache of converted pictures; "": none
};

struct GenerationProgress {
    int done = 0;      // pictures converted so far
    int total = 0;     // pictures in the gallery
    int percent = 0;   // done / total × 100, rounded
    std::string text;  // text 3511, a blank, done, "/", total
};

struct GenerationRequest {
    GallerySettings settings;
    // When not empty, the settings are saved here at the start of the run (the window's run);
    // the command line leaves it empty and never writes a settings file.
    std::string settingsFile;
    std::string albumTitle;
    std::vector<GalleryPicture> pictures;  // in album order
    GenerationFolders folders;
    Texts texts;        // the language of the pages and of the progress texts
    unsigned jobs = 0;  // pictures converted at once; 0: one per core
    // Called after each converted picture, possibly on a worker thread; calls never overlap.
    std::function<void(const GenerationProgress&)> progress;
    const std::atomic<bool>* cancel = nullptr;  // set to stop the run between pictures
    // The window keeps the finished gallery in its work folder too; the command line, whose work
    // folder goes at the end, lets the files move into the output folder.
    bool keepWorkCopy = true;
    RandomSource* random = nullptr;  // the pages' random picks; each page's own when null
    // Every picture is converted again, whatever the cache holds (the cache then takes the new ones).
    bool convertAll = false;
    std::uint64_t cacheLimit = kDefaultWebPictureCacheLimit;
};

struct GenerationResult {
    bool ok = false;
    bool refused = false;  // more than four pictures per row: nothing was touched
    bool cancelled = false;
    std::string error;               // the message for the user: the file and the problem
    std::string galleryPage;         // output folder + "gallery.html" after a successful run
    std::vector<std::string> files;  // the gallery's file names, as written into the output folder
};

GenerationResult RunGeneration(const GenerationRequest& request);

// The notice the preview of a finished gallery shows: the slideshow works only in the standard
// browser or online (German, or English for every other language).
std::string SlideshowNotice(Language language);

}  // namespace wexbo
