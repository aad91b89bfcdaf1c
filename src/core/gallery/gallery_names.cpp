#include "gallery/gallery_names.h"

#include <array>
#include <map>
#include <set>
#include <string_view>

#include "util/web_names.h"

namespace wexbo {

namespace {

// Every fixed file of a gallery, which no picture's files may take.
std::set<std::string> FixedNames() {
    std::set<std::string> names = {kOverviewPageName, kSlideshowPageName, "layout.css"};
    names.insert(kSlideshowScriptFiles.begin(), kSlideshowScriptFiles.end());
    names.insert(kButtonImageNames.begin(), kButtonImageNames.end());
    return names;
}

}  // namespace

std::string PictureBaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string DetailPageName(const std::string& webName) { return webName + ".html"; }
std::string OverviewPictureName(const std::string& webName) { return webName + "_thumb.jpg"; }
std::string FullSizePictureName(const std::string& webName) { return webName + ".jpg"; }
std::string OverviewPicture2xName(const std::string& webName) { return webName + "_thumb@2x.jpg"; }
std::string FullSizePicture2xName(const std::string& webName) { return webName + "@2x.jpg"; }

std::vector<std::string> AssignWebNames(const std::vector<GalleryPicture>& pictures) {
    std::set<std::string> used = FixedNames();
    const auto filesOf = [](const std::string& web) {
        return std::array<std::string, 5>{DetailPageName(web), OverviewPictureName(web),
                                          FullSizePictureName(web), OverviewPicture2xName(web),
                                          FullSizePicture2xName(web)};
    };
    auto isFree = [&](const std::string& web) {
        for (const std::string& file : filesOf(web))
            if (used.count(file)) return false;
        return true;
    };
    std::vector<std::string> names;
    names.reserve(pictures.size());
    // The number each base name tries next, so ten thousand pictures of one name cost no more than
    // ten thousand of different names.
    std::map<std::string, int> nextNumber;
    for (const GalleryPicture& picture : pictures) {
        std::string base = WebFileName(PictureBaseName(picture.path));
        if (base.empty()) base = "picture";  // a file named ".jpg" would give hidden files
        std::string web = base;
        int& n = nextNumber.try_emplace(base, 2).first->second;
        while (!isFree(web)) web = base + "_" + std::to_string(n++);
        for (std::string& file : filesOf(web)) used.insert(std::move(file));
        names.push_back(std::move(web));
    }
    return names;
}

std::string LinkTarget(const std::string& fileName) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(fileName.size());
    for (const char c : fileName) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unsafe = byte <= 0x20 || byte == 0x7F ||
                            std::string_view("\"#%'<>?\\^`{|}[]").find(c) != std::string_view::npos;
        if (unsafe) {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0x0F];
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace wexbo
