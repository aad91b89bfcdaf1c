// The desktop program: language question, text table, windows, message loop.
#pragma once

namespace wexbo {

// Runs the windows until the main window closes; returns the exit status.
int RunDesktop(int argc, char** argv);

}  // namespace wexbo
