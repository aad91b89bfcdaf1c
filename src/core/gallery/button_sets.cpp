#include "gallery/button_sets.h"

#include <filesystem>
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

}  // namespace wexbo
