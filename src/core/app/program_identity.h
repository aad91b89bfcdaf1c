// The program's name, maker and version, and the folders derived from where it runs.
#pragma once

#include <string>

namespace wexbo {

inline constexpr const char* kProgramTitle = "Wexbo 10";
inline constexpr const char* kProgramMaker = "Velmora";
// Below the user's application-data folder; holds the user's copy of the button sets.
inline constexpr const char* kDataFolderName = "Velmora/Wexbo10/";

// The folder of the running executable, with a trailing "/".
std::string ExecutableFolder();

// The first line of "ver.ini" in the program folder, or "" when it is missing.
std::string ReadVersion(const std::string& programFolder);

// The per-user data folder: AddTrailingBackslash(appDataFolder) + "Velmora/Wexbo10/".
std::string DataFolderFor(const std::string& appDataFolder);

}  // namespace wexbo
