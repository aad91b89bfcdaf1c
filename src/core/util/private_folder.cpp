#include "util/private_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>

#include "util/files.h"
#include "util/strings.h"

namespace wexbo {

PrivateFolder::PrivateFolder(const std::string& tempFolder) {
    // mkdtemp makes the folder with mode 0700 under a fresh name, or fails: it never reuses one.
    std::string pattern = AddTrailingBackslash(tempFolder) + "wexbo-XXXXXX";
    if (::mkdtemp(pattern.data()))
        path_ = pattern + "/";
    else
        error_ = "Cannot create a work folder in " + AddTrailingBackslash(tempFolder) + ": " +
                 std::strerror(errno);
}

PrivateFolder::~PrivateFolder() {
    if (!path_.empty()) DeleteFolder(path_, true);
}

}  // namespace wexbo
