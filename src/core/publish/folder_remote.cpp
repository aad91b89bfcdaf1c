#include "publish/folder_remote.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "util/files.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

class LocalFolder : public RemoteFolder {
public:
    explicit LocalFolder(std::string folder) : folder_(std::move(folder)) {}

    void Prepare() override {
        std::error_code ec;
        fs::create_directories(folder_, ec);
        if (!fs::is_directory(folder_, ec))
            throw RemoteError("Cannot make the folder " + folder_ + ": " +
                              (ec ? ec.message() : std::string("a file of that name is in the way")));
    }

    std::optional<std::uint64_t> SizeOf(const std::string& name) override {
        struct stat status {};
        if (::lstat((folder_ + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
        return static_cast<std::uint64_t>(status.st_size);
    }

    void Put(const std::string& name, const std::string& bytes,
             const std::function<void(std::uint64_t)>& sent) override {
        std::string why;
        if (!WriteFileInPlace(folder_ + name, bytes, &why))
            throw RemoteError("Cannot write " + folder_ + name + ": " + why);
        if (sent) sent(bytes.size());
    }

    void Replace(const std::string& from, const std::string& to) override {
        if (std::rename((folder_ + from).c_str(), (folder_ + to).c_str()) != 0)
            throw RemoteError("Cannot rename " + folder_ + from + " to " + to + ": " + std::strerror(errno));
    }

    void Remove(const std::string& name) override {
        if (std::remove((folder_ + name).c_str()) != 0 && errno != ENOENT)
            throw RemoteError("Cannot remove " + folder_ + name + ": " + std::strerror(errno));
    }

private:
    std::string folder_;
};

}  // namespace

std::unique_ptr<RemoteFolder> OpenLocalFolder(const Destination& destination) {
    return std::make_unique<LocalFolder>(destination.path);
}

}  // namespace wexbo
