// The one program: no arguments open the windows, a sub-command runs headless.
#include "command_line.h"
#include "util/system_memory.h"
#include "windows_entry.h"

int main(int argc, char** argv) {
    wexbo::KeepPictureBuffersForReuse();
    if (const std::optional<int> status = wexbo::RunCommandLine(argc, argv)) return *status;
    return wexbo::OpenDesktop(argc, argv);
}
