// The EXIF fields a converted picture keeps from its source: when it was taken and with what.
#pragma once

#include <string>

namespace wexbo {

// From an EXIF block in APP1 form ("Exif\0\0" and the TIFF structure), a new block in the same
// form holding only the capture date and time (with their sub-seconds and time zones), the
// camera's make and model, the lens and the exposure settings. Never the location (the GPS
// directory), the orientation (the copy is upright), a thumbnail or maker notes. Empty when the
// block holds none of these or cannot be read.
std::string CameraExif(const std::string& exifApp1);

}  // namespace wexbo
