// The navigation button sets: 28 folders of five GIF images in the data folder's "buttons/".
#pragma once

#include <string>

namespace wexbo {

// dataFolder + "buttons/" + "01" … "28" + "/" for the set index 0 to 27 (any other index: set 1).
std::string ButtonSetFolder(const std::string& dataFolder, int buttonsIndex);

// Copies the five images of the selected set into `destination` (ending in "/"), replacing files
// of the same names. The shipped sets are first copied into the data folder where it lacks any of
// them (never over a file that is there), so a half-made "buttons/" cannot leave a gallery without
// its buttons. Returns "" on success, otherwise the message naming the image and the problem.
std::string CopyButtonSet(const std::string& programFolder, const std::string& dataFolder, int buttonsIndex,
                          const std::string& destination);

}  // namespace wexbo
