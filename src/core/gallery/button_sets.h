// The navigation button sets: 28 folders of five GIF images in the data folder's "buttons/".
#pragma once

#include <map>
#include <optional>
#include <string>

#include "gallery/web_pictures.h"

namespace wexbo {

// dataFolder + "buttons/" + "01" … "28" + "/" for the set index 0 to 27 (any other index: set 1).
std::string ButtonSetFolder(const std::string& dataFolder, int buttonsIndex);

// Copies the five images of the selected set into `destination` (ending in "/"), replacing files
// of the same names. The shipped sets are first copied into the data folder where it lacks any of
// them (never over a file that is there), so a half-made "buttons/" cannot leave a gallery without
// its buttons. Returns "" on success, otherwise the message naming the image and the problem.
std::string CopyButtonSet(const std::string& programFolder, const std::string& dataFolder, int buttonsIndex,
                          const std::string& destination);

// The size a GIF file declares (its logical screen), or nothing when the file is missing or no GIF.
std::optional<PixelSize> ReadGifSize(const std::string& path);

// The sizes of the button images in `folder` (ending in "/"), by file name; those that cannot be
// read are left out.
std::map<std::string, PixelSize> ButtonImageSizes(const std::string& folder);

}  // namespace wexbo
