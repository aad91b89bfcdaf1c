#include "app/language_choice.h"

#include "util/files.h"
#include "util/ini_file.h"

namespace wexbo {

bool LanguageAlreadyChosen(const std::string& configFolder) {
    return FileExists(configFolder + "LanguageIsSet.ini");
}

bool StoreLanguageChoice(const std::string& configFolder, Language language, std::string* error) {
    const std::string code = LanguageCode(language);
    if (!IniFile::Write(configFolder + "Generator.ini", "SETTINGS", "Language", code, error)) return false;
    return WriteFileAtomically(configFolder + "LanguageIsSet.ini", code + "\r\n", error);
}

}  // namespace wexbo
