#include "command_line.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "app/program_identity.h"

namespace wexbo {

namespace {

bool DisplayAvailable() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    // An explicit Qt platform (offscreen, vnc ...) needs no display server either.
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

std::string VersionText() {
    std::string version = ReadVersion(ExecutableFolder());
    return std::string(kProgramTitle) + (version.empty() ? "" : " " + version);
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char** argv) {
    CLI::App app{std::string(kProgramTitle) + " by " + kProgramMaker +
                     ": turns albums of photographs into online galleries.\n"
                     "Without arguments it opens the desktop program.",
                 "wexbo"};
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Print the program's version and exit");
    app.require_subcommand(0, 1);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    if (showVersion) {
        std::cout << VersionText() << "\n";
        return 0;
    }
    if (!DisplayAvailable()) {
        std::cerr << "wexbo: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                     "the desktop program cannot open its windows.\n";
        return 2;
    }
    return std::nullopt;
}

}  // namespace wexbo
