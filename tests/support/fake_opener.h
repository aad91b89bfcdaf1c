// A stand-in for the desktop's opener: an "xdg-open" first on PATH that notes what it was asked to
// open and exits with the status the test chose, as the real one does when no program is set up.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "temp_dir.h"

namespace wexbo::test {

class FakeOpener {
public:
    explicit FakeOpener(int exitStatus) : oldPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        const std::string script = dir_ / "xdg-open";
        WriteFile(script, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + Log() + "'\nexit " +
                              std::to_string(exitStatus) + "\n");
        ::chmod(script.c_str(), 0755);
        ::setenv("PATH", (dir_.Path() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeOpener() { ::setenv("PATH", oldPath_.c_str(), 1); }

    std::string Log() const { return dir_ / "asked.txt"; }
    // Every target it was asked to open, one per line.
    std::string Asked() const { return ReadFile(Log()); }

private:
    TempDir dir_;
    std::string oldPath_;
};

}  // namespace wexbo::test
