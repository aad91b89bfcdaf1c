// A private copy of the built program folder, so a test can change its files freely.
#pragma once

#include <string>

#include "app/program_folders.h"
#include "temp_dir.h"

namespace wexbo::test {

class ProgramCopy {
public:
    // Copies the built program folder's data (not the executables) into a temporary folder.
    ProgramCopy();
    // The copied program folder, with a trailing "/".
    const std::string& Folder() const { return dir_.Path(); }
    // The folders of a program run from the copy, as from a build tree: shipped data, settings
    // and cache all in the copy, data under the XDG data folder of the moment.
    ProgramFolders Folders() const { return LocateProgramFolders(Folder(), TWindowsInfo::FromEnvironment()); }

private:
    TempDir dir_;
};

}  // namespace wexbo::test
