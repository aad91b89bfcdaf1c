#include "app/language_table.h"

#include <gtest/gtest.h>

#include "program_copy.h"
#include "temp_dir.h"
#include "util/ini_file.h"

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::TempDir;
using test::WriteFile;

TEST(LanguageTableTest, LooksUpThePlainDecimalKeyOfTheActiveLanguageAtEveryCall) {
    TempDir dir;
    WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nLanguage=FRANCE\r\n");
    WriteFile(dir / "Language.ini", "[ENGLISH]\r\n518=Open\r\n[FRANCE]\r\n518=Ouvrir\r\n0518=wrong\r\n");
    EXPECT_TRUE(OpenLanguageTable(dir.Path()).empty());
    EXPECT_EQ(ActiveLanguageCode(), "FRANCE");
    EXPECT_EQ(LangText(518), "Ouvrir");
    EXPECT_EQ(LangText(518), "Ouvrir");
    EXPECT_EQ(LangText(0), "");
    EXPECT_EQ(LangText(519), "");
    // The file is read anew: a change is visible at the next lookup.
    WriteFile(dir / "Language.ini", "[FRANCE]\r\n518=Ouvrir un album\r\n");
    EXPECT_EQ(LangText(518), "Ouvrir un album");
}

TEST(LanguageTableTest, MissingFilesAreReportedAndGiveDefaults) {
    TempDir dir;
    const std::vector<std::string> messages = OpenLanguageTable(dir.Path());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], dir.Path() + "Generator.ini nicht gefunden!");
    EXPECT_EQ(messages[1], dir.Path() + "Language.ini nicht gefunden!");
    EXPECT_EQ(ActiveLanguageCode(), "GERMAN");  // the setting's default
    EXPECT_EQ(LangText(518), "");
}

TEST(LanguageTableTest, AnUnknownStoredCodeFallsBackToEnglish) {
    TempDir dir;
    WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nLanguage=KLINGON\r\n");
    WriteFile(dir / "Language.ini", "[ENGLISH]\r\n518=Open\r\n");
    OpenLanguageTable(dir.Path());
    EXPECT_EQ(ActiveLanguageCode(), "ENGLISH");
    EXPECT_EQ(LangText(518), "Open");
}

// Every text number the windows use exists, with a text, in all five languages.
TEST(LanguageTableTest, ShippedFileHoldsEveryTextInEveryLanguage) {
    ProgramCopy program;
    const IniFile file(program.Folder() + "Language.ini");
    std::vector<int> numbers = {1504, 10000, 10026, 14000, 14001};
    auto range = [&](int from, int to) {
        for (int n = from; n <= to; ++n) numbers.push_back(n);
    };
    range(518, 522), range(524, 528), range(534, 534), range(589, 611), range(1800, 1803);
    range(3500, 3505), range(3507, 3515), range(4200, 4206), range(10002, 10009);
    for (const char* code : kLanguageCodes)
        for (int n : numbers) EXPECT_NE(file.ReadString(code, std::to_string(n), ""), "") << code << " " << n;
}

TEST(LanguageTableTest, TheDeleteQuestionHasAPlaceForTheAlbumInEveryLanguage) {
    ProgramCopy program;
    const IniFile file(program.Folder() + "Language.ini");
    for (const char* code : kLanguageCodes) {
        const std::string question = file.ReadString(code, "10008", "");
        EXPECT_EQ(question.find("%1"), question.rfind("%1")) << code;
        EXPECT_NE(question.find("%1"), std::string::npos) << code;
    }
}

}  // namespace
}  // namespace wexbo
