#include "app/language_choice.h"

#include "util/files.h"
#include "util/ini_file.h"

namespace wexbo {

bool LanguageAlreadyChosen(const std::string& programFolder) {
    return FileExists(programFolder + "LanguageIsSet.ini");
}

bool StoreLanguageChoice(const std::string& programFolder, Language language, std::string* error) {
    const std::string code = LanguageCode(language);
    if (!IniFile::Write(programFolder + "Generator.ini", "SETTINGS", "Language", code, error)) return false;
    return WriteFileAtomically(programFolder + "LanguageIsSet.ini", code + "\r\n", error);
}

}  // namespace wexbo
