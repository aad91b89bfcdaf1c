// Pictures, a program folder and a data folder for the generator tests, all made by the tests.
#pragma once

#include <cstdint>
#include <string>

#include "program_copy.h"
#include "temp_dir.h"

namespace wexbo::test {

// Writes a JPEG of width × height in one colour (0x00BBGGRR), optionally tagged with an EXIF
// orientation.
void MakeJpeg(const std::string& path, int width, int height, std::uint32_t color = 0x808080,
              int orientation = 1);

// The colour of one pixel of a JPEG file, as the image component reads it.
std::uint32_t PixelAt(const std::string& path, int x, int y);

// A private program folder with a slideshow script, a data folder holding button sets 01 and 07
// (each image's content names its set and file), and folders for work, templates and output.
class GalleryPlace {
public:
    GalleryPlace();
    const std::string& ProgramFolder() const { return program_.Folder(); }
    std::string DataFolder() const { return data_.Path(); }
    std::string WorkFolder() const { return scratch_ / "work/"; }
    std::string TemplateFolder() const { return scratch_ / "templates/"; }
    std::string OutputFolder() const { return scratch_ / "output/"; }
    std::string PictureFolder() const { return scratch_ / "pictures/"; }
    std::string CacheFolder() const { return scratch_ / "cache/"; }

private:
    ProgramCopy program_;
    TempDir data_;
    TempDir scratch_;
};

// The names of the files directly in a folder with their contents, for comparing a folder before
// and after.
std::string FolderListing(const std::string& folder);

}  // namespace wexbo::test
