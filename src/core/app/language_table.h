// The program-wide text table: the text of a text number in the active language.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wexbo {

inline constexpr const char* kLanguageCodes[] = {"GERMAN", "ENGLISH", "FRANCE", "ITALIAN", "SPAIN"};
bool IsLanguageCode(std::string_view code);

// Opens the table on the program folder's "Language.ini" and fixes the active language code from
// "Generator.ini" [SETTINGS] "Language" (default "GERMAN"; a value outside the five codes gives
// "ENGLISH"). Returns the error messages the start-up shows (a missing settings or language file);
// the program goes on with defaults in either case.
std::vector<std::string> OpenLanguageTable(const std::string& programFolder);

// The text stored under the number's plain decimal key in the active language's section; empty
// when the file, the section or the key is missing. The file is read anew at every lookup.
std::string LangText(int number);

// The language code in force for the whole run ("ENGLISH" before the table is opened).
const std::string& ActiveLanguageCode();

// Picks the constant for a language code; the English one for any other code.
struct PerLanguage {
    const char* german;
    const char* english;
    const char* french;
    const char* italian;
    const char* spanish;
};
std::string ForLanguage(const std::string& code, const PerLanguage& texts);

}  // namespace wexbo
