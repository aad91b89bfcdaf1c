// Opening the windows from the program: through the windows module beside it.
#pragma once

#include <string>

// The module's entry points, looked up by name.
extern "C" {
int WexboRunDesktop(int argc, char** argv);
int WexboRunGeneratorWindow(int argc, char** argv, const char* albumFolder);
}

namespace wexbo {

// The module's file name in the program folder.
inline constexpr const char* kWindowsModuleName = "libwexbo_windows.so";

// Load the module and run the desktop program or the generator window; when the module cannot be
// loaded, or the program was built without windows, say why on standard error and return 1.
int OpenDesktop(int argc, char** argv);
int OpenGeneratorWindow(int argc, char** argv, const std::string& albumFolder);

}  // namespace wexbo
