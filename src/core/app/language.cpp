#include "app/language.h"

namespace wexbo {

const char* LanguageCode(Language language) {
    switch (language) {
        case Language::German:
            return "GERMAN";
        case Language::English:
            return "ENGLISH";
        case Language::French:
            return "FRANCE";
        case Language::Italian:
            return "ITALIAN";
        case Language::Spanish:
            return "SPAIN";
    }
    return "ENGLISH";
}

std::optional<Language> LanguageFromCode(std::string_view code) {
    for (Language language : kLanguages)
        if (code == LanguageCode(language)) return language;
    return std::nullopt;
}

std::string ForLanguage(Language language, const PerLanguage& texts) {
    switch (language) {
        case Language::German:
            return texts.german;
        case Language::English:
            return texts.english;
        case Language::French:
            return texts.french;
        case Language::Italian:
            return texts.italian;
        case Language::Spanish:
            return texts.spanish;
    }
    return texts.english;
}

}  // namespace wexbo
