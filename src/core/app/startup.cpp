#include "app/startup.h"

#include <filesystem>
#include <system_error>

#include "util/files.h"
#include "util/strings.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

// Creates one folder level (the parent must exist). Empty error when it exists afterwards.
std::string CreateOneLevel(const std::string& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return {};
    fs::create_directory(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        const std::string why = ec ? ec.message() : "a file of that name is in the way";
        return "Cannot create the folder " + folder + ": " + why;
    }
    return {};
}

bool CopyMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (!fs::is_directory(to, ec)) return false;
    bool ok = true;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path target = to / it->path().filename();
        if (it->is_directory(ec)) {
            ok = CopyMissing(it->path(), target) && ok;
        } else if (!fs::exists(fs::symlink_status(target, ec))) {
            fs::copy_file(it->path(), target, ec);
            ok = ok && !ec;
        }
    }
    return ok && !ec;
}

}  // namespace

PreparationResult PrepareProgramFolders(const ProgramFolders& folders) {
    PreparationResult result;
    auto fail = [&](std::string error) {
        result.ok = false;
        result.error = std::move(error);
        return result;
    };
    try {
        EnsureFolder(folders.dataFolder);
    } catch (const std::exception&) {
    }
    if (std::string error = PrepareConfigFolder(folders); !error.empty()) return fail(error);
    try {
        EnsureFolder(folders.cacheFolder);
    } catch (const std::exception&) {
    }
    for (const char* name : {"thumbs", "gallery"}) {
        if (std::string error = CreateOneLevel(folders.cacheFolder + name); !error.empty())
            return fail(error);
    }
    const std::string& root = folders.albumRoot;
    if (!FolderExists(root)) {
        std::string rootFolder = root;
        if (!rootFolder.empty() && rootFolder.back() == '/') rootFolder.pop_back();
        if (std::string error = CreateOneLevel(rootFolder); !error.empty()) return fail(error);
        for (const char* name : {"del", "Gal_0001", "Gal_0002"}) {
            if (std::string error = CreateOneLevel(root + name); !error.empty()) return fail(error);
        }
        CopyFolder(folders.programFolder + "gal/Gal_0001/*.*", root + "Gal_0001", true);
        CopyFolder(folders.programFolder + "gal/Gal_0002/*.*", root + "Gal_0002", true);
    }
    CopyFolder(folders.programFolder + "gal/del/*.*", root + "del", true);
    // Sets missing from the data folder are added; a file already there is never replaced.
    EnsureButtonSets(folders.programFolder, folders.dataFolder);
    return result;
}

bool EnsureButtonSets(const std::string& programFolder, const std::string& dataFolder) {
    std::error_code ec;
    if (!fs::is_directory(programFolder + "buttons", ec)) return true;  // nothing shipped
    return CopyMissing(programFolder + "buttons", dataFolder + "buttons");
}

int ConvertedCopies::DeleteConvertedCopies(const std::string& folder) {
    int deleted = 0;
    const std::string prefix = AddTrailingBackslash(folder);
    for (auto it = paths_.begin(); it != paths_.end();) {
        const std::string& path = *it;
        const std::string upper = ToUpperAscii(path.substr(path.find_last_of('/') + 1));
        const bool inFolder =
            path.rfind(prefix, 0) == 0 && path.find('/', prefix.size()) == std::string::npos;
        const bool converted =
            upper.find("_TIFF.JPG") != std::string::npos || upper.find("_GIF.JPG") != std::string::npos ||
            upper.find("_JPEG.JPG") != std::string::npos || upper.find("_BMP.JPG") != std::string::npos;
        if (inFolder && converted) {
            std::error_code ec;
            if (fs::remove(path, ec)) ++deleted;
            it = paths_.erase(it);
        } else {
            ++it;
        }
    }
    return deleted;
}

void DeleteLeftovers(const std::string& configFolder) {
    for (const char* mask : {"UNDO*.jpg", "Temp.jpg", "prev.jpg", "Print.txt"})
        DeleteFiles(configFolder + mask);
}

}  // namespace wexbo
