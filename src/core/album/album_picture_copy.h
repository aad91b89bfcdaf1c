// How a picture becomes an album's own: albums keep JPEG files only, so that turning, mirroring,
// thumbnails and galleries work alike for every picture, whatever format it came in.
#pragma once

#include <string>

#include "imaging/picture_format.h"

namespace wexbo {

// The album's name for a picture of `format`: a JPEG keeps its name, any other picture is named
// after its source with ".jpg" for its last extension ("IMG_0042.HEIC" gives "IMG_0042.jpg").
std::string AlbumNameFor(const std::string& sourceName, PictureFormat format);

// Checks that the picture can be read, as a list of it could not show otherwise. "" when it can;
// else why not, naming the file.
std::string PictureProblem(const std::string& sourcePath);

// Writes the JPEG copy of a picture in another format: upright, quality 95, 4:2:2, its colour
// profile kept and its capture date and camera fields in EXIF (never its location). Written under
// a temporary name and renamed, so a failure leaves nothing. "" when written; else why not,
// naming the file.
std::string WriteJpegCopy(const std::string& sourcePath, const std::string& target);

}  // namespace wexbo
