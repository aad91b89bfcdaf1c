// Opens the gallery generator on an album folder by itself, without the main window.
#pragma once

#include <string>

namespace wexbo {

// Runs the generator window for the album (or any folder of pictures) until it closes; returns the
// exit status (1 when the folder cannot be read).
int RunGeneratorWindow(int argc, char** argv, const std::string& albumFolder);

}  // namespace wexbo
