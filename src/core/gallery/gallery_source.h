// What the command line makes a gallery from: an album folder, or any folder of pictures.
#pragma once

#include <string>
#include <vector>

#include "album/gallery_picture.h"

namespace wexbo {

struct GallerySource {
    std::string title;
    std::vector<GalleryPicture> pictures;  // in album order, or sorted by file name
};

// An album folder (it holds "Bildano.ini") gives its title and its pictures with their captions
// from "Pictures.ini", in album order, leaving out lines whose picture is missing, as opening the
// album does. Any other folder gives every file that IsPictureFileName takes, in whatever format,
// sorted by name (letter case aside), without captions, and the folder's name as title. Nothing
// is written. False, with `error` naming the file and the problem, when the folder or the picture
// list cannot be read.
bool ReadGallerySource(const std::string& folder, GallerySource& source, std::string& error);

}  // namespace wexbo
