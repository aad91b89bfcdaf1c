// The program settings file "Generator.ini" [SETTINGS] and the folders derived from it.
#pragma once

#include <string>
#include <vector>

#include "app/language.h"

namespace wexbo {

struct ProgramSettings {
    std::string displayTime;        // "DefaultTime": the last opened album's display time, as text
    std::string sourceFolder;       // "SourcePicturesPath": with a trailing "/", or empty
    long long backgroundColor = 0;  // "BKGColor", carried through unchanged
    long long textColor = 0;        // "TextColor", carried through unchanged
    std::string drive;              // "Drive", upper-cased; kept for the settings file only on POSIX
    // "WorkPanelWidths": the widths of the work panel's source, album and picture columns as the
    // user left them, in pixels ("220,560,300"). Empty when never set or not three positive numbers.
    std::vector<int> workPanelWidths;
};

inline constexpr std::size_t kWorkPanelColumns = 3;

// Reads [SETTINGS] of configFolder + "Generator.ini". A source folder equal to the settings
// folder (in any letter case) becomes "/".
ProgramSettings LoadProgramSettings(const std::string& configFolder);

// Writes "DefaultTime", "BKGColor", "TextColor", "SourcePicturesPath" and "Drive", and
// "WorkPanelWidths" once there are any, keeping every other entry of the file ("Language" among them).
bool SaveProgramSettings(const std::string& configFolder, const ProgramSettings& settings,
                         std::string* error = nullptr);

// The album root: the home folder + "/Bildano/" for German, + "/Slideshow/" for every other language.
// POSIX has no drive letters, so the "Drive" setting plays no part in it.
std::string AlbumRootFor(const std::string& homeFolder, Language language);

}  // namespace wexbo
