#include "gallery_fixtures.h"

#include <filesystem>
#include <map>

#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"

namespace fs = std::filesystem;

namespace wexbo::test {

void MakeJpeg(const std::string& path, int width, int height, std::uint32_t color, int orientation) {
    const Rgb rgb{static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
                  static_cast<std::uint8_t>((color >> 16) & 0xFF)};
    const std::string jpeg = MakeJpeg(Solid(width, height, rgb));
    WriteFile(path, orientation == 1 ? jpeg : WithOrientation(jpeg, orientation));
}

std::uint32_t PixelAt(const std::string& path, int x, int y) {
    TLEADImage image;
    image.Load(path);
    const Rgb pixel = At(*image.Snapshot(), x, y);
    return pixel.r | pixel.g << 8 | pixel.b << 16;
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
