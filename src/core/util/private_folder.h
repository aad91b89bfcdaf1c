// A folder of this user's only, for work files: made under the temporary folder with mode 0700 and
// a name nobody can guess or take first, and removed with everything in it when its owner is done.
#pragma once

#include <string>

namespace wexbo {

class PrivateFolder {
public:
    // Makes "wexbo-XXXXXX" in `tempFolder` (a folder path with a trailing "/").
    explicit PrivateFolder(const std::string& tempFolder);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // The folder with a trailing "/", or "" when it could not be made.
    const std::string& Path() const { return path_; }
    // Why it could not be made ("" when it was).
    const std::string& Error() const { return error_; }

private:
    std::string path_;
    std::string error_;
};

}  // namespace wexbo
