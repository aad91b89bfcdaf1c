#include "gallery/button_sets.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/startup.h"
#include "gallery/gallery_names.h"
#include "gallery/gallery_settings.h"
#include "util/files.h"

namespace fs = std::filesystem;

namespace wexbo {

std::string ButtonSetFolder(const std::string& dataFolder, int buttonsIndex) {
    return dataFolder + "buttons/" + ButtonSetFolderName(buttonsIndex) + "/";
}

std::string CopyButtonSet(const std::string& programFolder, const std::string& dataFolder, int buttonsIndex,
                          const std::string& destination) {
    EnsureButtonSets(programFolder, dataFolder);
    const std::string folder = ButtonSetFolder(dataFolder, buttonsIndex);
    for (const char* name : kButtonImageNames) {
        const std::string source = folder + name;
        if (!FileExists(source)) return "The button image " + source + " is missing.";
        std::error_code ec;
        fs::copy_file(source, destination + name, fs::copy_options::overwrite_existing, ec);
        if (ec) return "Cannot copy the button image " + source + " to " + destination + ": " + ec.message();
    }
    return {};
}

std::optional<PixelSize> ReadGifSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, 10> header{};
    if (!file.read(reinterpret_cast<char*>(header.data()), header.size())) return std::nullopt;
    const std::string signature(header.begin(), header.begin() + 6);
    if (signature != "GIF87a" && signature != "GIF89a") return std::nullopt;
    const PixelSize size{header[6] | header[7] << 8, header[8] | header[9] << 8};
    if (size.width == 0 || size.height == 0) return std::nullopt;
    return size;
}

std::map<std::string, PixelSize> ButtonImageSizes(const std::string& folder) {
    std::map<std::string, PixelSize> sizes;
    for (const char* name : kButtonImageNames)
        if (const auto size = ReadGifSize(folder + name)) sizes.emplace(name, *size);
    return sizes;
}

}  // namespace wexbo
