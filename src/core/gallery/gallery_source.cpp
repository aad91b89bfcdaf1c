#include "gallery/gallery_source.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "album/album_entry.h"
#include "imaging/picture_format.h"
#include "util/files.h"
#include "util/ini_file.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

bool ReadAlbum(const std::string& folder, GallerySource& source, std::string& error) {
    source.title = Trim(IniFile::Read(folder + "Bildano.ini", "BILDANO", "Titel", ""));
    if (ToUpperAscii(source.title) == "SPECIALDUMMY") source.title.clear();
    std::string bytes;
    const std::string list = folder + "Pictures.ini";
    if (!ReadFileBytes(list, bytes) || FolderExists(list)) {
        error = "Cannot read the picture list " + list + ".";
        return false;
    }
    const std::string text = DecodeText(bytes);
    for (std::string_view rest = text; !rest.empty();) {
        const PictureFields fields = ParsePictureListLine(std::string(NextLine(rest)));
        if (fields.fileName.empty() || !FileExists(folder + fields.fileName)) continue;
        source.pictures.push_back({folder + fields.fileName, fields.caption});
    }
    return true;
}

bool ReadPictureFolder(const std::string& folder, GallerySource& source, std::string& error) {
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeEc;
        if (IsPictureFileName(name) && it->is_regular_file(typeEc)) names.push_back(name);
    }
    if (ec) {
        error = "Cannot list the folder " + folder + ": " + ec.message();
        return false;
    }
    // By name as a file manager lists them: letter case does not decide, unless the names differ only in it.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = ToLowerAscii(a), lowerB = ToLowerAscii(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    for (const std::string& name : names) source.pictures.push_back({folder + name, ""});
    const std::string withoutSlash = folder.substr(0, folder.size() - 1);
    source.title = withoutSlash.substr(withoutSlash.find_last_of('/') + 1);
    return true;
}

}  // namespace

bool ReadGallerySource(const std::string& folder, GallerySource& source, std::string& error) {
    source = {};
    if (!FolderExists(folder)) {
        error = "The folder " + folder + " does not exist.";
        return false;
    }
    const std::string path = AddTrailingBackslash(folder);
    return FileExists(path + "Bildano.ini") ? ReadAlbum(path, source, error)
                                            : ReadPictureFolder(path, source, error);
}

}  // namespace wexbo
