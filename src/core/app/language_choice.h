// The one-time language question: the first-choice marker and where the choice is stored.
#pragma once

#include <string>

#include "app/language.h"

namespace wexbo {

// True when the first-choice marker "LanguageIsSet.ini" exists in the settings folder.
bool LanguageAlreadyChosen(const std::string& configFolder);

// Writes [SETTINGS] "Language" = the language's code into "Generator.ini" (keeping the rest of the
// file), then the marker holding one line with the code. False, with `error` set, when either write
// failed.
bool StoreLanguageChoice(const std::string& configFolder, Language language, std::string* error = nullptr);

}  // namespace wexbo
