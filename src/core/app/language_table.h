// The text table of the program's language file, and the texts of one language handed to the code
// that words something: windows, thumbnails' progress, the generation run.
#pragma once

#include <string>
#include <vector>

#include "app/language.h"

namespace wexbo {

class LanguageTable {
public:
    LanguageTable() = default;  // no file: every text is empty
    explicit LanguageTable(std::string languageFile) : file_(std::move(languageFile)) {}

    // The text stored under the number's plain decimal key in the language's section; empty when
    // the file, the section or the key is missing. The file is read anew at every lookup.
    std::string Text(Language language, int number) const;

private:
    std::string file_;
};

// The texts of one language: a small value, copied freely, also to worker threads.
class Texts {
public:
    Texts() = default;  // English, without a table
    Texts(LanguageTable table, Language language) : table_(std::move(table)), language_(language) {}

    Language GetLanguage() const { return language_; }
    std::string operator()(int number) const { return table_.Text(language_, number); }
    // The same table in another language.
    Texts In(Language language) const { return Texts(table_, language); }

private:
    LanguageTable table_;
    Language language_ = Language::English;
};

// The program's texts: the table of the shipped "Language.ini" in the language of the user's
// "Generator.ini" [SETTINGS] "Language" (the shipped "Generator.ini" while the user has none;
// German when the key is missing; English for a value outside the five codes). `messages` gets the errors the
// start-up shows (a missing settings or language file); the program goes on with defaults in either case.
Texts LoadProgramTexts(const std::string& programFolder, const std::string& configFolder,
                       std::vector<std::string>* messages = nullptr);

}  // namespace wexbo
