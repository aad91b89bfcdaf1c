// Puts a gallery that is complete in its work folder into the output folder. The output folder
// changes only here, after everything else has worked, and only in the gallery's own files: a
// file is deleted there only when an earlier run wrote it and it has not changed since. That
// record lives in the data folder, so the output folder holds exactly the gallery's files.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace wexbo {

class PublishError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PublishRequest {
    std::string workFolder;                   // holds the finished gallery, ending in "/"
    std::vector<std::string> fileNames;       // the gallery's files in the work folder
    std::string outputFolder;                 // created when missing, ending in "/"
    std::string recordFolder;                 // where the record of written files is kept, ending in "/"
    std::vector<std::string> sourcePictures;  // never replaced, even when they lie in the output folder
    // The work folder's files are not needed afterwards: on the same file system they are moved
    // into place rather than linked or copied.
    bool moveFiles = false;
    // The content digests (ContentDigest) of files the caller knows already; the others are read.
    std::map<std::string, std::string> knownDigests;
    // Files of the gallery not yet in the work folder (their digests are known): each is written
    // there by its function only when the output folder does not hold it already. Creating files
    // is what a rebuild costs most; an unchanged picture is then never written at all.
    std::map<std::string, std::function<bool(const std::string& path)>> deferredFiles;
};

// Checks that nothing is in the way, copies every file in under a temporary name, renames them all
// into place, then deletes the files of the earlier run that the new gallery no longer has (only
// those it wrote and nobody changed since) and records the new file set. Throws PublishError, naming
// the file and the problem, before the output folder has changed.
void PublishGallery(const PublishRequest& request);

// The file holding the record of what the program wrote into an output folder.
std::string PublishRecordFile(const std::string& recordFolder, const std::string& outputFolder);

}  // namespace wexbo
