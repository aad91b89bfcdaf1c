// The five languages of the program's windows and pages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wexbo {

enum class Language { German, English, French, Italian, Spanish };

inline constexpr Language kLanguages[] = {Language::German, Language::English, Language::French,
                                          Language::Italian, Language::Spanish};

// The code a language has in the settings file and as a section of the language file: "GERMAN",
// "ENGLISH", "FRANCE", "ITALIAN", "SPAIN".
const char* LanguageCode(Language language);
// The language of a code written exactly so; nothing for any other text.
std::optional<Language> LanguageFromCode(std::string_view code);

// Picks the constant for a language.
struct PerLanguage {
    const char* german;
    const char* english;
    const char* french;
    const char* italian;
    const char* spanish;
};
std::string ForLanguage(Language language, const PerLanguage& texts);

}  // namespace wexbo
