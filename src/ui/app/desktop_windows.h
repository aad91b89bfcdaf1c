// The desktop program's windows: the main window and the generator window its gallery command
// opens, wired together as the program runs them.
#pragma once

#include <string>

#include "app/program_folders.h"
#include "gallery/html_form.h"
#include "util/windows_info.h"
#include "workspace/main_form.h"

namespace wexbo {

class DesktopWindows {
public:
    DesktopWindows(const TWindowsInfo& windowsInfo, const ProgramFolders& folders);

    TMainForm mainForm;
    // Made once; the main window's gallery command opens it on the album's pictures.
    THTMLForm htmlForm;
};

}  // namespace wexbo
