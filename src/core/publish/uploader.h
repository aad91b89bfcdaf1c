// Uploading a gallery: the plan carried out on a destination folder, each file under a temporary
// name first and then renamed over the old one, the record kept up to date as files arrive, so a
// broken connection costs only the files not yet sent.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "publish/remote_folder.h"
#include "publish/upload_plan.h"

namespace wexbo {

struct UploadProgress {
    int filesDone = 0;
    int filesTotal = 0;  // files to send and to remove
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::string current;  // the file being sent or removed
};

struct UploadRequest {
    std::string galleryFolder;  // ends in "/"
    Destination destination;
    std::string recordFolder;  // where the records of uploads live (the data folder's "uploads/")
    bool dryRun = false;       // plan only: nothing sent, removed or recorded
    std::function<void(const UploadProgress&)> progress;
    const std::atomic<bool>* cancel = nullptr;  // checked between files
};

struct UploadResult {
    UploadPlan plan;
    bool cancelled = false;
};

// The name a file goes up under before it is renamed into place; no gallery file has such a name.
std::string TemporaryUploadName(const std::string& name);

// Plans and, unless dry, carries out the upload. Throws RemoteError on the first failure (naming
// the file and the server's answer), with the record holding every file that arrived before it.
UploadResult UploadGallery(const UploadRequest& request, RemoteFolder& remote);

}  // namespace wexbo
