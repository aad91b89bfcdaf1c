// A private copy of the built program folder, so a test can change its files freely.
#pragma once

#include <string>

#include "temp_dir.h"

namespace wexbo::test {

class ProgramCopy {
public:
    // Copies the built program folder's data (not the executables) into a temporary folder.
    ProgramCopy();
    // The copied program folder, with a trailing "/".
    const std::string& Folder() const { return dir_.Path(); }

private:
    TempDir dir_;
};

}  // namespace wexbo::test
