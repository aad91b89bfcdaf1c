#include "windows_entry.h"

#include <dlfcn.h>

#include <iostream>

#include "app/program_folders.h"

namespace wexbo {

#if WEXBO_HAS_WINDOWS

namespace {

// The module stays loaded until the program ends: its windows run until then.
void* EntryPoint(const char* name) {
    const std::string module = RunningProgramFolders().moduleFolder + kWindowsModuleName;
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        std::cerr << "wexbo: cannot load the windows from " << module << ": " << (why ? why : "unknown error")
                  << "\n";
        return nullptr;
    }
    void* entry = ::dlsym(handle, name);
    if (!entry) std::cerr << "wexbo: " << module << " lacks " << name << "\n";
    return entry;
}

}  // namespace

int OpenDesktop(int argc, char** argv) {
    auto* run = reinterpret_cast<decltype(&WexboRunDesktop)>(EntryPoint("WexboRunDesktop"));
    return run ? run(argc, argv) : 1;
}

int OpenGeneratorWindow(int argc, char** argv, const std::string& albumFolder) {
    auto* run = reinterpret_cast<decltype(&WexboRunGeneratorWindow)>(EntryPoint("WexboRunGeneratorWindow"));
    return run ? run(argc, argv, albumFolder.c_str()) : 1;
}

#else

namespace {

int NoWindows() {
    std::cerr << "wexbo: this build has no windows (configured with WEXBO_BUILD_UI=OFF); the command line "
                 "works: wexbo generate, wexbo demo, wexbo --help.\n";
    return 1;
}

}  // namespace

int OpenDesktop(int, char**) { return NoWindows(); }
int OpenGeneratorWindow(int, char**, const std::string&) { return NoWindows(); }

#endif

}  // namespace wexbo
