#include "util/files.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "util/strings.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

struct SplitMask {
    std::string folder;   // with its trailing "/" (or empty for the current folder)
    std::string pattern;  // the name part
};

SplitMask Split(const std::string& mask) {
    const std::size_t slash = mask.find_last_of('/');
    if (slash == std::string::npos) return {"", mask};
    return {mask.substr(0, slash + 1), mask.substr(slash + 1)};
}

bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool NameMatches(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") return true;
    return fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD | FNM_PERIOD) == 0;
}

std::vector<fs::path> Matches(const SplitMask& mask) {
    std::vector<fs::path> result;
    std::error_code ec;
    fs::path folder = mask.folder.empty() ? fs::path(".") : fs::path(mask.folder);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (NameMatches(mask.pattern, it->path().filename().string())) result.push_back(it->path());
    }
    return result;
}

fs::path FreeName(const fs::path& wanted) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(wanted, ec))) return wanted;
    const std::string stem = wanted.stem().string(), ext = wanted.extension().string();
    for (int n = 2;; ++n) {
        fs::path candidate = wanted.parent_path() / (stem + " (" + std::to_string(n) + ")" + ext);
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
}

bool CopyEntry(const fs::path& from, fs::path to, bool renameOnCollision, bool overwrite) {
    std::error_code ec;
    const bool exists = fs::exists(fs::symlink_status(to, ec));
    if (exists && renameOnCollision) to = FreeName(to);
    if (fs::is_directory(from, ec)) {
        fs::create_directories(to, ec);
        if (ec) return false;
        bool ok = true;
        for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
            ok = CopyEntry(it->path(), to / it->path().filename(), false, overwrite) && ok;
        return ok && !ec;
    }
    if (exists && !renameOnCollision && !overwrite) return false;
    fs::copy_file(from, to, overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none, ec);
    return !ec;
}

bool MoveEntry(const fs::path& from, fs::path to, bool renameOnCollision, bool overwrite) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        if (renameOnCollision)
            to = FreeName(to);
        else if (!overwrite)
            return false;
        else if (!fs::is_directory(to, ec))
            fs::remove(to, ec);
    }
    fs::rename(from, to, ec);
    if (!ec) return true;
    // Another file system: copy, then remove the original only when the copy is complete.
    if (!CopyEntry(from, to, false, overwrite)) return false;
    fs::remove_all(from, ec);
    return !ec;
}

}  // namespace

bool EnsureFolder(const std::string& folder) {
    if (folder.empty()) throw std::invalid_argument("Unable to create directory");
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return false;
    fs::create_directories(folder, ec);
    return true;
}

bool DeleteFiles(const std::string& mask) {
    const SplitMask split = Split(mask);
    const std::vector<fs::path> matches = Matches(split);
    for (const fs::path& entry : matches) {
        std::error_code ec;
        if (fs::is_directory(fs::symlink_status(entry, ec))) continue;
        ClearReadOnly(entry.string());
        fs::remove(entry, ec);
    }
    return !matches.empty();
}

bool ClearReadOnly(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return false;
    if ((status.permissions() & fs::perms::owner_write) != fs::perms::none) return false;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    return true;
}

bool FileOperation(const std::string& operation, bool renameOnCollision, bool noConfirmation, bool /*silent*/,
                   bool /*simpleProgress*/, const std::string& source, const std::string& destination) {
    try {
        const SplitMask split = Split(source);
        std::error_code ec;
        if (!split.folder.empty() && !fs::is_directory(split.folder, ec)) return false;
        const std::string op = ToUpperAscii(operation);
        const bool wildcard = HasWildcard(split.pattern);
        std::vector<fs::path> sources;
        if (wildcard) {
            sources = Matches(split);
        } else {
            if (!fs::exists(fs::symlink_status(source, ec))) return false;
            sources.push_back(fs::path(source).lexically_normal());
            if (!sources.back().has_filename()) sources.back() = sources.back().parent_path();
        }

        if (op == "DELETE") {
            bool ok = true;
            for (const fs::path& entry : sources) {
                fs::remove_all(entry, ec);
                ok = ok && !ec;
            }
            return ok;
        }
        if (op != "COPY" && op != "MOVE" && op != "RENAME") return false;
        if (destination.empty()) return false;

        // Several sources, or one into an existing folder, land inside the destination folder.
        const bool intoFolder = wildcard || (op != "RENAME" && fs::is_directory(destination, ec));
        if (intoFolder) {
            fs::create_directories(destination, ec);
            if (!fs::is_directory(destination, ec)) return false;
        }
        bool ok = true;
        for (const fs::path& entry : sources) {
            fs::path target = intoFolder ? fs::path(destination) / entry.filename() : fs::path(destination);
            if (op == "COPY")
                ok = CopyEntry(entry, target, renameOnCollision, noConfirmation) && ok;
            else
                ok = MoveEntry(entry, target, renameOnCollision, noConfirmation) && ok;
        }
        return ok;
    } catch (const std::exception&) {
        return false;
    }
}

bool CopyFolder(const std::string& source, const std::string& destination, bool quiet) {
    return FileOperation("COPY", false, true, quiet, quiet, source, destination);
}

bool DeleteFolder(const std::string& folder, bool /*silent*/) {
    std::string path = folder;
    if (!path.empty() && path.back() == '/') path.pop_back();
    if (path.empty()) return false;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) return false;
    fs::remove_all(path, ec);
    return !ec && !fs::exists(fs::symlink_status(path, ec));
}

bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    // Unique among this program's writes (the counter) and other programs' (the process number).
    static std::atomic<unsigned long> writes{0};
    const std::string temp = path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(++writes);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return fail("cannot create " + temp);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return fail("cannot write " + temp);
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return fail("cannot replace " + path + ": " + ec.message());
    }
    return true;
}

namespace {

// Writes all of `content` to the open file `fd` of `path` (cutting off what lies beyond it when
// asked) and closes it. On failure the file is removed and `error` says why.
bool WriteAndClose(int fd, const std::string& path, const std::string& content, bool cutRest,
                   std::string* error) {
    bool written = true;
    for (std::size_t done = 0; written && done < content.size();) {
        const ssize_t count = ::write(fd, content.data() + done, content.size() - done);
        if (count < 0 && errno == EINTR) continue;
        written = count > 0;
        if (written) done += static_cast<std::size_t>(count);
    }
    if (cutRest) written = written && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (written && closed) return true;
    if (error) *error = "cannot write " + path + ": " + std::strerror(written ? errno : writeErrno);
    ::unlink(path.c_str());
    return false;
}

}  // namespace

bool WriteFileInPlace(const std::string& path, const std::string& content, std::string* error) {
    // The old bytes are overwritten and only the rest cut off, so a file rewritten again and
    // again keeps its blocks instead of freeing and allocating them each time.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (error) *error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    return WriteAndClose(fd, path, content, true, error);
}

bool WriteNewFile(const std::string& path, const std::string& content, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return WriteFileAtomically(path, content, error);
        if (error) *error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    return WriteAndClose(fd, path, content, false, error);
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

}  // namespace wexbo
