#include "publish/upload_plan.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "publish/remote_folder.h"
#include "util/content_digest.h"
#include "util/text_encoding.h"

namespace fs = std::filesystem;

namespace wexbo {

std::vector<GalleryFile> ListGalleryFiles(const std::string& galleryFolder) {
    std::vector<GalleryFile> files;
    std::error_code ec;
    for (fs::directory_iterator it(galleryFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc)) continue;
        GalleryFile file;
        file.name = it->path().filename().string();
        std::string bytes;
        if (!ReadFileBytes(it->path().string(), bytes))
            throw RemoteError("Cannot read " + it->path().string() + " of the gallery");
        file.size = bytes.size();
        file.digest = ContentDigest(bytes);
        files.push_back(std::move(file));
    }
    if (ec) throw RemoteError("Cannot read the gallery folder " + galleryFolder + ": " + ec.message());
    std::sort(files.begin(), files.end(),
              [](const GalleryFile& a, const GalleryFile& b) { return a.name < b.name; });
    return files;
}

int UploadRank(const std::string& name) {
    if (name == "gallery.html") return 3;
    if (name == "slideshow.html" || name == "slideshow.js" || name == "layout.css") return 2;
    const std::size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    if (extension == ".html" || extension == ".htm") return 1;
    if (extension == ".css" || extension == ".js") return 2;
    return 0;
}

std::uint64_t UploadPlan::BytesToSend() const {
    std::uint64_t bytes = 0;
    for (const GalleryFile& file : send) bytes += file.size;
    return bytes;
}

UploadPlan PlanUpload(const std::vector<GalleryFile>& gallery, const UploadRecord& record,
                      const std::function<std::optional<std::uint64_t>(const std::string&)>& remoteSize) {
    UploadPlan plan;
    std::set<std::string> names;
    for (const GalleryFile& file : gallery) {
        names.insert(file.name);
        const auto sent = record.find(file.name);
        const bool recorded =
            sent != record.end() && sent->second.digest == file.digest && sent->second.size == file.size;
        if (recorded && remoteSize && remoteSize(file.name) == std::optional<std::uint64_t>(file.size))
            continue;
        plan.send.push_back(file);
    }
    std::stable_sort(plan.send.begin(), plan.send.end(), [](const GalleryFile& a, const GalleryFile& b) {
        return UploadRank(a.name) < UploadRank(b.name);
    });
    for (const auto& [name, uploaded] : record)
        if (!names.count(name)) plan.remove.push_back(name);
    std::stable_sort(plan.remove.begin(), plan.remove.end(), [](const std::string& a, const std::string& b) {
        return UploadRank(a) > UploadRank(b);
    });
    return plan;
}

}  // namespace wexbo
