// The windows as a module beside the program, loaded only when a window is to open: the command
// line then starts without loading Qt and its many libraries.
#include "app/desktop_start.h"
#include "gallery/generator_start.h"
#include "windows_entry.h"

extern "C" __attribute__((visibility("default"))) int WexboRunDesktop(int argc, char** argv) {
    return wexbo::RunDesktop(argc, argv);
}

extern "C" __attribute__((visibility("default"))) int WexboRunGeneratorWindow(int argc, char** argv,
                                                                              const char* albumFolder) {
    return wexbo::RunGeneratorWindow(argc, argv, albumFolder);
}
