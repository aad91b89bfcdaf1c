// The headless command line: --help, --version and the sub-commands.
#pragma once

#include <optional>

namespace wexbo {

// Parses the arguments. Returns the exit status when the command line handled the call itself,
// or nothing when the desktop program should open its windows.
std::optional<int> RunCommandLine(int argc, char** argv);

}  // namespace wexbo
