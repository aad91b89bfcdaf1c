// Where the user's special folders and the temporary folder lie (XDG on POSIX).
#pragma once

#include <string>

namespace wexbo {

struct TWindowsInfo {
    std::string DocumentsFolder;  // $XDG_DOCUMENTS_DIR, else $HOME/Documents; no trailing "/"
    std::string AppDataFolder;    // $XDG_DATA_HOME, else $HOME/.local/share; no trailing "/"
    std::string ConfigFolder;     // $XDG_CONFIG_HOME, else $HOME/.config; no trailing "/"
    std::string CacheFolder;      // $XDG_CACHE_HOME, else $HOME/.cache; no trailing "/"
    std::string TempFolder;       // $TMPDIR, else /tmp; with a trailing "/"

    // Reads the environment once.
    static TWindowsInfo FromEnvironment();
};

// The user's home folder ($HOME, else the password database), without a trailing "/".
std::string HomeFolder();

}  // namespace wexbo
