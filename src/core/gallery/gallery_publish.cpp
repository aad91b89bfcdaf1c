#include "gallery/gallery_publish.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string_view>
#include <system_error>

#include "util/content_digest.h"
#include "util/files.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

// What the record says about a file: its size, modification time and content digest when the
// program wrote it ("" in records of older versions, which hold no digest).
struct Written {
    std::uintmax_t size = 0;
    long long modified = 0;
    std::string digest;
};
using Record = std::map<std::string, Written>;

// A file of the output folder as one lstat sees it. Times are nanoseconds since 1970 (records of
// older versions hold other numbers: their files then count as changed, the safe side).
struct FileState {
    bool exists = false, regular = false, directory = false, link = false;
    std::uintmax_t size = 0;
    long long modified = 0;
};

FileState StateOf(const std::string& path) {
    FileState state;
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return state;
    state.exists = true;
    state.regular = S_ISREG(status.st_mode);
    state.link = S_ISLNK(status.st_mode);
    state.directory = S_ISDIR(status.st_mode);
    if (state.link) {  // a link to a folder is in the way as a folder is
        struct stat target {};
        state.directory = ::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    }
    state.size = static_cast<std::uintmax_t>(status.st_size);
    state.modified = status.st_mtim.tv_sec * 1000000000ll + status.st_mtim.tv_nsec;
    return state;
}

std::string CanonicalFolder(const std::string& folder) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(fs::path(folder), ec);
    return AddTrailingBackslash(ec ? folder : canonical.string());
}

// One line per file: name, size, modification time and content digest, separated by tabs. The
// first line names the output folder, for whoever looks at the file.
Record ReadRecord(const std::string& file) {
    Record record;
    std::string bytes;
    if (!ReadFileBytes(file, bytes)) return record;
    std::string_view rest = bytes;
    NextLine(rest);
    while (!rest.empty()) {
        const std::string_view line = NextLine(rest);
        const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string_view::npos || tab2 == std::string_view::npos) continue;
        const std::size_t tab3 = line.find('\t', tab2 + 1);
        long long size = 0, modified = 0;
        const std::string name(line.substr(0, tab1));
        if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") continue;
        if (!ParseInt(line.substr(tab1 + 1, tab2 - tab1 - 1), size) ||
            !ParseInt(line.substr(tab2 + 1, tab3 == std::string_view::npos ? tab3 : tab3 - tab2 - 1),
                      modified))
            continue;
        const std::string digest(tab3 == std::string_view::npos ? std::string_view() : line.substr(tab3 + 1));
        record[name] = {static_cast<std::uintmax_t>(size), modified, digest};
    }
    return record;
}

void WriteRecord(const std::string& file, const std::string& outputFolder, const Record& record) {
    std::string text = outputFolder + "\r\n";
    for (const auto& [name, written] : record)
        text += name + "\t" + std::to_string(written.size) + "\t" + std::to_string(written.modified) + "\t" +
                written.digest + "\r\n";
    std::string error;
    EnsureFolder(PathOnly(file));
    if (!WriteFileAtomically(file, text, &error))
        throw PublishError("Cannot write the record of the gallery's files " + file + ": " + error);
}

bool Unchanged(const FileState& state, const Written& written) {
    return state.regular && state.size == written.size && state.modified == written.modified;
}

bool SameFileSystem(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev;
}

}  // namespace

std::string PublishRecordFile(const std::string& recordFolder, const std::string& outputFolder) {
    return recordFolder + StableDigest(CanonicalFolder(outputFolder)) + ".txt";
}

void PublishGallery(const PublishRequest& request) {
    std::error_code ec;
    const bool created = !fs::exists(request.outputFolder, ec);
    if (created) fs::create_directories(request.outputFolder, ec);
    if (!fs::is_directory(request.outputFolder, ec))
        throw PublishError("Cannot create the output folder " + request.outputFolder +
                           (ec ? ": " + ec.message() : ": a file of that name is in the way"));
    const std::string output = CanonicalFolder(request.outputFolder);
    std::vector<fs::path> temporaries;
    auto undo = [&] {
        std::error_code ignored;
        for (const fs::path& temporary : temporaries) fs::remove(temporary, ignored);
        if (created) fs::remove(request.outputFolder, ignored);  // only while still empty
    };
    try {
        // Nothing may stand in the way, and no source picture may be replaced by a web picture.
        // Each folder of pictures is resolved once (an album's pictures share one); a picture that
        // is itself a link is followed to the file it names.
        std::set<std::string> sources;
        std::map<std::string, std::string> canonicalFolders;
        for (const std::string& source : request.sourcePictures) {
            std::error_code sourceEc;
            if (fs::is_symlink(fs::symlink_status(source, sourceEc))) {
                const fs::path canonical = fs::weakly_canonical(source, sourceEc);
                sources.insert(sourceEc ? source : canonical.string());
                continue;
            }
            const std::string folder = PathOnly(source);
            auto [place, fresh] = canonicalFolders.try_emplace(folder);
            if (fresh) place->second = CanonicalFolder(folder.empty() ? "." : folder);
            sources.insert(place->second + FileNameOnly(source));
        }
        std::map<std::string, FileState> states;
        for (const std::string& name : request.fileNames) {
            const std::string target = output + name;
            if (sources.count(target))
                throw PublishError("The gallery would replace the picture " + target +
                                   " with its web copy; choose another output folder.");
            const FileState& state = states[name] = StateOf(target);
            if (state.directory)
                throw PublishError("Cannot write " + target + ": a folder of that name is in the way.");
            if (state.exists && !state.regular && !state.link)
                throw PublishError("Cannot write " + target + ": something other than a file is in the way.");
        }

        // Record old and new files together first, so that a run ending half-way still knows them all.
        const std::string recordFile = PublishRecordFile(request.recordFolder, output);
        const Record earlier = ReadRecord(recordFile);
        Record both = earlier;
        for (const std::string& name : request.fileNames) both.emplace(name, Written{});
        WriteRecord(recordFile, output, both);

        // A file whose bytes are those the program wrote there before, and that nobody changed since,
        // stays as it is (same inode, same time), so copying tools see only what changed.
        std::map<std::string, std::string> digests;
        std::vector<std::string> changed;
        for (const std::string& name : request.fileNames) {
            const auto known = request.knownDigests.find(name);
            std::string& digest = digests[name] =
                known != request.knownDigests.end() && !known->second.empty()
                    ? known->second
                    : FileContentDigest(request.workFolder + name);
            const auto before = earlier.find(name);
            const bool same = before != earlier.end() && !digest.empty() && before->second.digest == digest &&
                              Unchanged(states[name], before->second);
            if (!same) changed.push_back(name);
        }

        for (const std::string& name : changed) {
            const auto deferred = request.deferredFiles.find(name);
            if (deferred != request.deferredFiles.end() && !deferred->second(request.workFolder + name))
                throw PublishError("Cannot write " + request.workFolder + name + " for the output folder " +
                                   output);
        }

        if (request.moveFiles && SameFileSystem(request.workFolder, output)) {
            for (const std::string& name : changed) {
                fs::rename(request.workFolder + name, output + name, ec);
                if (ec)
                    throw PublishError("Cannot put " + name + " into the output folder " + output + ": " +
                                       ec.message());
            }
        } else {
            const std::string tag = ".wexbo-" + std::to_string(::getpid()) + "-";
            for (const std::string& name : changed) {
                const fs::path temporary = output + tag + name;
                temporaries.push_back(temporary);
                // Every file of the work folder is written once under a new name and never changed
                // in place, so a second link to it is as good as a copy and costs no data.
                fs::remove(temporary, ec);
                fs::create_hard_link(request.workFolder + name, temporary, ec);
                if (ec)
                    fs::copy_file(request.workFolder + name, temporary, fs::copy_options::overwrite_existing,
                                  ec);
                if (ec)
                    throw PublishError("Cannot copy " + name + " into the output folder " + output + ": " +
                                       ec.message());
            }
            for (std::size_t i = 0; i < temporaries.size(); ++i) {
                fs::rename(temporaries[i], output + changed[i], ec);
                if (ec)
                    throw PublishError("Cannot put " + changed[i] + " into the output folder " + output +
                                       ": " + ec.message());
            }
            temporaries.clear();
        }

        Record now;
        for (const std::string& name : changed) states[name] = StateOf(output + name);
        for (const std::string& name : request.fileNames)
            now[name] = {states[name].size, states[name].modified, digests[name]};
        for (const auto& [name, written] : earlier) {
            if (now.count(name)) continue;
            const std::string path = output + name;
            if (Unchanged(StateOf(path), written)) fs::remove(path, ec);
        }
        try {
            WriteRecord(recordFile, output, now);
        } catch (const PublishError&) {
            // The gallery is in place; the record written before still lists every file, it only
            // keeps the new ones from being recognised as unchanged later, which is the safe side.
        }
    } catch (...) {
        undo();
        throw;
    }
}

}  // namespace wexbo
