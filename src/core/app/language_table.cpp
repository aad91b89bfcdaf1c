#include "app/language_table.h"

#include "util/files.h"
#include "util/ini_file.h"

namespace wexbo {

std::string LanguageTable::Text(Language language, int number) const {
    if (file_.empty()) return {};
    return IniFile::Read(file_, LanguageCode(language), std::to_string(number), "");
}

Texts LoadProgramTexts(const std::string& programFolder, const std::string& configFolder,
                       std::vector<std::string>* messages) {
    // A user who never started the desktop program has no settings yet: the shipped ones hold.
    std::string settingsFile = configFolder + "Generator.ini";
    if (!FileExists(settingsFile) && FileExists(programFolder + "Generator.ini"))
        settingsFile = programFolder + "Generator.ini";
    if (messages && !FileExists(settingsFile)) messages->push_back(settingsFile + " nicht gefunden!");
    const std::string code =
        IniFile::Read(settingsFile, "SETTINGS", "Language", LanguageCode(Language::German));
    const Language language = LanguageFromCode(code).value_or(Language::English);

    const std::string languageFile = programFolder + "Language.ini";
    if (messages && !FileExists(languageFile))
        messages->push_back(programFolder + "Language.ini nicht gefunden!");
    return Texts(LanguageTable(languageFile), language);
}

}  // namespace wexbo
