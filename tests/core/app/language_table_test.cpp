#include "app/language_table.h"

#include <gtest/gtest.h>

#include <set>

#include "program_copy.h"
#include "temp_dir.h"
#include "util/ini_file.h"
#include "util/strings.h"

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::TempDir;
using test::WriteFile;

TEST(LanguageTableTest, LooksUpThePlainDecimalKeyOfTheActiveLanguageAtEveryCall) {
    TempDir dir;
    WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nLanguage=FRANCE\r\n");
    WriteFile(dir / "Language.ini", "[ENGLISH]\r\n518=Open\r\n[FRANCE]\r\n518=Ouvrir\r\n0518=wrong\r\n");
    std::vector<std::string> messages;
    const Texts texts = LoadProgramTexts(dir.Path(), dir.Path(), &messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(texts.GetLanguage(), Language::French);
    EXPECT_EQ(texts(518), "Ouvrir");
    EXPECT_EQ(texts(518), "Ouvrir");
    EXPECT_EQ(texts(0), "");
    EXPECT_EQ(texts(519), "");
    EXPECT_EQ(texts.In(Language::English)(518), "Open");
    // The file is read anew: a change is visible at the next lookup.
    WriteFile(dir / "Language.ini", "[FRANCE]\r\n518=Ouvrir un album\r\n");
    EXPECT_EQ(texts(518), "Ouvrir un album");
}

// Installed, the shipped settings hold for a user who has none of their own yet; once the user has
// settings, theirs hold.
TEST(LanguageTableTest, TheUsersSettingsDecideTheLanguageAndTheShippedOnesStandIn) {
    TempDir shipped, user;
    WriteFile(shipped / "Generator.ini", "[SETTINGS]\r\nLanguage=ITALIAN\r\n");
    WriteFile(shipped / "Language.ini", "[ITALIAN]\r\n518=Apri\r\n[SPAIN]\r\n518=Abrir\r\n");
    std::vector<std::string> messages;
    EXPECT_EQ(LoadProgramTexts(shipped.Path(), user.Path(), &messages).GetLanguage(), Language::Italian);
    EXPECT_TRUE(messages.empty());
    WriteFile(user / "Generator.ini", "[SETTINGS]\r\nLanguage=SPAIN\r\n");
    const Texts texts = LoadProgramTexts(shipped.Path(), user.Path());
    EXPECT_EQ(texts.GetLanguage(), Language::Spanish);
    EXPECT_EQ(texts(518), "Abrir");
}

TEST(LanguageTableTest, MissingFilesAreReportedAndGiveDefaults) {
    TempDir dir;
    std::vector<std::string> messages;
    const Texts texts = LoadProgramTexts(dir.Path(), dir.Path(), &messages);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], dir.Path() + "Generator.ini nicht gefunden!");
    EXPECT_EQ(messages[1], dir.Path() + "Language.ini nicht gefunden!");
    EXPECT_EQ(texts.GetLanguage(), Language::German);  // the setting's default
    EXPECT_EQ(texts(518), "");
}

TEST(LanguageTest, CodesAreTheStoredOnesExactly) {
    for (Language language : kLanguages) EXPECT_EQ(LanguageFromCode(LanguageCode(language)), language);
    EXPECT_EQ(LanguageCode(Language::French), std::string("FRANCE"));
    EXPECT_EQ(LanguageCode(Language::Spanish), std::string("SPAIN"));
    EXPECT_EQ(LanguageFromCode("german"), std::nullopt);
    EXPECT_EQ(LanguageFromCode("KLINGON"), std::nullopt);
}

TEST(LanguageTableTest, AnUnknownStoredCodeFallsBackToEnglish) {
    TempDir dir;
    WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nLanguage=KLINGON\r\n");
    WriteFile(dir / "Language.ini", "[ENGLISH]\r\n518=Open\r\n");
    const Texts texts = LoadProgramTexts(dir.Path(), dir.Path());
    EXPECT_EQ(texts.GetLanguage(), Language::English);
    EXPECT_EQ(texts(518), "Open");
}

// Every text number the windows use exists, with a text, in all five languages.
TEST(LanguageTableTest, ShippedFileHoldsEveryTextInEveryLanguage) {
    ProgramCopy program;
    const IniFile file(program.Folder() + "Language.ini");
    std::vector<int> numbers = {1504, 10000, 10026, 14000, 14001};
    auto range = [&](int from, int to) {
        for (int n = from; n <= to; ++n) numbers.push_back(n);
    };
    range(518, 522), range(524, 528), range(534, 534), range(589, 620), range(1800, 1803);
    range(3500, 3505), range(3507, 3516), range(4200, 4206), range(10002, 10009);
    for (Language language : kLanguages)
        for (int n : numbers)
            EXPECT_NE(file.ReadString(LanguageCode(language), std::to_string(n), ""), "")
                << LanguageCode(language) << " " << n;
}

// The menu texts mark one Alt key each, and no two entries of one menu share it.
TEST(LanguageTableTest, MenuKeysAreMarkedOnceAndDifferWithinEachMenu) {
    ProgramCopy program;
    const IniFile file(program.Folder() + "Language.ini");
    const std::vector<std::vector<int>> menus = {{613, 618, 619}, {614, 615, 616, 617}, {620}};
    for (Language language : kLanguages) {
        const char* code = LanguageCode(language);
        for (const std::vector<int>& menu : menus) {
            std::set<std::string> keys;
            for (int n : menu) {
                const std::string text = file.ReadString(code, std::to_string(n), "");
                const std::size_t mark = text.find('&');
                ASSERT_NE(mark, std::string::npos) << code << " " << n;
                EXPECT_EQ(text.find('&', mark + 1), std::string::npos) << code << " " << n;
                keys.insert(ToUpperAscii(text.substr(mark + 1, 1)));
            }
            EXPECT_EQ(keys.size(), menu.size()) << code << " " << menu.front();
        }
    }
}

TEST(LanguageTableTest, TheDeleteQuestionHasAPlaceForTheAlbumInEveryLanguage) {
    ProgramCopy program;
    const IniFile file(program.Folder() + "Language.ini");
    for (Language language : kLanguages) {
        const char* code = LanguageCode(language);
        const std::string question = file.ReadString(code, "10008", "");
        EXPECT_EQ(question.find("%1"), question.rfind("%1")) << code;
        EXPECT_NE(question.find("%1"), std::string::npos) << code;
    }
}

}  // namespace
}  // namespace wexbo
