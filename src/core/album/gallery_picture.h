// One picture as an album hands it to a gallery.
#pragma once

#include <string>

namespace wexbo {

// One picture of the gallery, in album order. Path and caption stay apart from the album to the
// pages, so no caption text can ever change which file is read.
struct GalleryPicture {
    std::string path;     // the picture file's full path
    std::string caption;  // may be empty; goes onto the pages encoded
};

}  // namespace wexbo
