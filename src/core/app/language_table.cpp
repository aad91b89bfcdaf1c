#include "app/language_table.h"

#include <mutex>

#include "util/files.h"
#include "util/ini_file.h"

namespace wexbo {

namespace {

struct TableState {
    std::mutex mutex;
    std::string languageFile;
    std::string activeCode = "ENGLISH";
};

TableState& State() {
    static TableState state;
    return state;
}

}  // namespace

bool IsLanguageCode(std::string_view code) {
    for (const char* known : kLanguageCodes)
        if (code == known) return true;
    return false;
}

std::vector<std::string> OpenLanguageTable(const std::string& programFolder) {
    std::vector<std::string> messages;
    const std::string settingsFile = programFolder + "Generator.ini";
    if (!FileExists(settingsFile)) messages.push_back(programFolder + "Generator.ini nicht gefunden!");
    std::string code = IniFile::Read(settingsFile, "SETTINGS", "Language", "GERMAN");
    if (!IsLanguageCode(code)) code = "ENGLISH";

    const std::string languageFile = programFolder + "Language.ini";
    if (!FileExists(languageFile)) messages.push_back(programFolder + "Language.ini nicht gefunden!");

    TableState& state = State();
    std::lock_guard lock(state.mutex);
    state.activeCode = code;
    state.languageFile = languageFile;
    return messages;
}

std::string LangText(int number) {
    TableState& state = State();
    std::string file, code;
    {
        std::lock_guard lock(state.mutex);
        file = state.languageFile;
        code = state.activeCode;
    }
    if (file.empty()) return {};
    return IniFile::Read(file, code, std::to_string(number), "");
}

const std::string& ActiveLanguageCode() { return State().activeCode; }

std::string ForLanguage(const std::string& code, const PerLanguage& texts) {
    if (code == "GERMAN") return texts.german;
    if (code == "FRANCE") return texts.french;
    if (code == "ITALIAN") return texts.italian;
    if (code == "SPAIN") return texts.spanish;
    return texts.english;
}

}  // namespace wexbo
