// The one program: no arguments open the windows, a sub-command runs headless.
#include "app/desktop_start.h"
#include "command_line.h"

int main(int argc, char** argv) {
    if (const std::optional<int> status = wexbo::RunCommandLine(argc, argv)) return *status;
    return wexbo::RunDesktop(argc, argv);
}
