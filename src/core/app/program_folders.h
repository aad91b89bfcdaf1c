// Where the program finds what it ships and where it keeps what each user makes.
#pragma once

#include <string>

#include "util/windows_info.h"

namespace wexbo {

// Every folder with a trailing "/".
struct ProgramFolders {
    // What the program ships: Language.ini, Gallery.ini, Generator.ini (the first settings),
    // ver.ini, gal/, buttons/, slidescript/, recom_GR/. Read-only once installed.
    std::string programFolder;
    // The user's settings: Generator.ini, LanguageIsSet.ini, Gallery_*.ini, the template pairs.
    std::string configFolder;
    // What can be made again: thumbs/, gallery/.
    std::string cacheFolder;
    // The user's button sets and the records of written galleries.
    std::string dataFolder;
    // Where the windows module lies.
    std::string moduleFolder;
    // The albums; known once the language is (AlbumRootFor).
    std::string albumRoot;
};

// The one place that decides the folders above, for an executable in `executableFolder`.
// - Installed (the executable's folder has ../share/wexbo/Language.ini beside it): shipped data
//   in PREFIX/share/wexbo/, the windows module in PREFIX/lib/wexbo/, settings, cache and data under
//   the user's XDG folders + "Velmora/Wexbo10/". Each user thus keeps their own.
// - Anywhere else (a build tree, a folder copied by hand): shipped data, settings, cache and the
//   module all in the executable's folder, data under the XDG data folder.
ProgramFolders LocateProgramFolders(const std::string& executableFolder, const TWindowsInfo& user);

// The folders of the running program (LocateProgramFolders for this executable and environment).
ProgramFolders RunningProgramFolders();

// Creates the settings folder and gives it the shipped Generator.ini when it has none (a user's
// own is never replaced). Returns "" or the error, naming the file.
std::string PrepareConfigFolder(const ProgramFolders& folders);

}  // namespace wexbo
