// What an upload does: which of the gallery's files go up, in which order, and which files of an
// earlier upload come off the server.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "publish/upload_record.h"

namespace wexbo {

struct GalleryFile {
    std::string name;
    std::uint64_t size = 0;
    std::string digest;  // ContentDigest
};

// The files of a gallery folder (its top level: a gallery has no subfolders), by name. Throws
// RemoteError naming the folder or file that cannot be read.
std::vector<GalleryFile> ListGalleryFiles(const std::string& galleryFolder);

// The order files go up in: pictures and other files (0), detail pages (1), the slideshow, its
// script and the stylesheet (2), the overview "gallery.html" last (3), so a visitor never meets a
// page whose pictures are not there yet.
int UploadRank(const std::string& name);

struct UploadPlan {
    std::vector<GalleryFile> send;    // in UploadRank order, then by name
    std::vector<std::string> remove;  // pages before pictures, so no page loses its picture
    std::uint64_t BytesToSend() const;
};

// Sends every file that is new, whose bytes differ from what the record says was sent, or whose
// copy on the server is missing or of another size than the record says (an upload broken off, a
// file changed by someone else); removes only files the record holds and the gallery no longer
// has. `remoteSize` is asked only for files the record would otherwise skip.
UploadPlan PlanUpload(const std::vector<GalleryFile>& gallery, const UploadRecord& record,
                      const std::function<std::optional<std::uint64_t>(const std::string& name)>& remoteSize);

}  // namespace wexbo
