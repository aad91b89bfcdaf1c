#include "publish/uploader.h"

#include <chrono>

#include "util/text_encoding.h"

namespace wexbo {

namespace {

// Writing the record after every file would cost more than small files do; it is written at most
// this often, and always when the upload ends or fails.
constexpr auto kRecordInterval = std::chrono::seconds(2);

}  // namespace

std::string TemporaryUploadName(const std::string& name) { return ".wexbo-upload." + name; }

UploadResult UploadGallery(const UploadRequest& request, RemoteFolder& remote) {
    UploadResult result;
    const std::string recordFile = UploadRecordFile(request.recordFolder, request.destination);
    UploadRecord record = ReadUploadRecord(recordFile);
    const std::vector<GalleryFile> gallery = ListGalleryFiles(request.galleryFolder);
    result.plan = PlanUpload(gallery, record, [&](const std::string& name) { return remote.SizeOf(name); });
    if (request.dryRun) return result;

    UploadProgress progress;
    progress.filesTotal = static_cast<int>(result.plan.send.size() + result.plan.remove.size());
    progress.bytesTotal = result.plan.BytesToSend();
    auto report = [&] {
        if (request.progress) request.progress(progress);
    };
    auto lastWrite = std::chrono::steady_clock::now();
    bool unsaved = false;
    auto save = [&](bool now) {
        if (!unsaved || (!now && std::chrono::steady_clock::now() - lastWrite < kRecordInterval)) return;
        WriteUploadRecord(recordFile, request.destination, record);
        lastWrite = std::chrono::steady_clock::now();
        unsaved = false;
    };
    auto cancelled = [&] { return request.cancel && request.cancel->load(); };
    try {
        if (!result.plan.send.empty()) remote.Prepare();
        for (const GalleryFile& file : result.plan.send) {
            if (cancelled()) {
                result.cancelled = true;
                break;
            }
            progress.current = file.name;
            report();
            std::string bytes;
            if (!ReadFileBytes(request.galleryFolder + file.name, bytes))
                throw RemoteError("Cannot read " + request.galleryFolder + file.name + " of the gallery");
            const std::uint64_t before = progress.bytesDone;
            const std::string temporary = TemporaryUploadName(file.name);
            remote.Put(temporary, bytes, [&](std::uint64_t sent) {
                progress.bytesDone = before + sent;
                report();
            });
            remote.Replace(temporary, file.name);
            progress.bytesDone = before + file.size;
            ++progress.filesDone;
            record[file.name] = {file.size, file.digest};
            unsaved = true;
            save(false);
        }
        for (const std::string& name : result.plan.remove) {
            if (result.cancelled || cancelled()) {
                result.cancelled = true;
                break;
            }
            progress.current = name;
            report();
            remote.Remove(name);
            ++progress.filesDone;
            record.erase(name);
            unsaved = true;
            save(false);
        }
    } catch (...) {
        save(true);
        throw;
    }
    save(true);
    progress.current.clear();
    report();
    return result;
}

}  // namespace wexbo
