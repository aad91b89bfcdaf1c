#include "gallery_fixtures.h"

#include <filesystem>
#include <map>

#include "imaging/lead_image.h"

namespace fs = std::filesystem;

namespace wexbo::test {

void MakeJpeg(const std::string& path, int width, int height, std::uint32_t color, int orientation) {
    RgbBuffer pixels(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = pixels.Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = color & 0xFF;
            row[3 * x + 1] = (color >> 8) & 0xFF;
            row[3 * x + 2] = (color >> 16) & 0xFF;
        }
    }
    fs::create_directories(fs::path(path).parent_path());
    TLEADImage image;
    image.SetPicture(std::move(pixels));
    image.Save(path);
    if (orientation == 1) return;
    // An APP1 "Exif" segment with a big-endian TIFF header and one IFD entry: Orientation (0x0112),
    // SHORT, count 1. It goes after the JFIF segment.
    const std::string exif = std::string(
                                 "\xFF\xE1\x00\x22"
                                 "Exif\0\0"
                                 "MM\0\x2A\0\0\0\x08"
                                 "\0\x01",
                                 20) +
                             std::string("\x01\x12\0\x03\0\0\0\x01\0", 9) + static_cast<char>(orientation) +
                             std::string("\0\0\0\0\0\0", 6);
    std::string bytes = ReadFile(path);
    const std::size_t jfifEnd =
        4 + (static_cast<unsigned char>(bytes[4]) << 8 | static_cast<unsigned char>(bytes[5]));
    bytes.insert(jfifEnd, exif);
    WriteFile(path, bytes);
}

std::uint32_t PixelAt(const std::string& path, int x, int y) {
    TLEADImage image;
    image.Load(path);
    const std::uint8_t* pixel = image.Snapshot()->Row(y) + 3 * x;
    return pixel[0] | pixel[1] << 8 | pixel[2] << 16;
}

GalleryPlace::GalleryPlace() {
    for (const char* name : {"slideshow.js", "restore.png", "x.png"})
        WriteFile(program_.Folder() + "slidescript/" + name, std::string("script ") + name);
    for (const char* set : {"01", "07"})
        for (const char* name : {"slideshow.gif", "gallery.gif", "previous.gif", "home.gif", "next.gif"})
            WriteFile(data_.Path() + "buttons/" + set + "/" + name, std::string("set ") + set + " " + name);
}

std::string FolderListing(const std::string& folder) {
    std::map<std::string, std::string> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries[it->path().filename().string()] =
            it->is_directory() ? "<folder>" : ReadFile(it->path().string());
    std::string listing;
    for (const auto& [name, content] : entries) listing += name + " = " + content + "\n";
    return listing;
}

}  // namespace wexbo::test
