// The folder work of start-up and shutdown: working folders, data folder, album root with the
// sample albums, and the leftovers removed at the end.
#pragma once

#include <set>
#include <string>

#include "app/program_folders.h"

namespace wexbo {

struct PreparationResult {
    bool ok = true;
    std::string error;  // the message to show when a folder could not be created
};

// Creates the data folder, the settings folder (PrepareConfigFolder), the cache folder's "thumbs/"
// and "gallery/", and, when it is missing, the album root with "del/", "Gal_0001/" and "Gal_0002/"
// holding the shipped samples; refreshes the reset album "del/" from the shipped one; gives the data
// folder its button sets. A folder that cannot be created ends the preparation with an error
// naming it.
PreparationResult PrepareProgramFolders(const ProgramFolders& folders);

// Copies the shipped button sets into the data folder's "buttons/": every set and file that is
// missing there, never overwriting a file that is there. False when a copy failed.
bool EnsureButtonSets(const std::string& programFolder, const std::string& dataFolder);

// Files that the program wrote as converted copies into a source folder during this run. Only
// these are ever removed again; a user's own file with a similar name never is.
class ConvertedCopies {
public:
    void Record(const std::string& path) { paths_.insert(path); }
    // Deletes the recorded copies lying in `folder` whose upper-cased names hold "_TIFF.JPG",
    // "_GIF.JPG", "_JPEG.JPG" or "_BMP.JPG". Returns how many were deleted.
    int DeleteConvertedCopies(const std::string& folder);

private:
    std::set<std::string> paths_;
};

// Removes the leftovers of a run from the settings folder: "UNDO*.jpg", "Temp.jpg", "prev.jpg",
// "Print.txt".
void DeleteLeftovers(const std::string& configFolder);

}  // namespace wexbo
