#include "gallery/stylesheet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gallery/make.h"
#include "gallery/qvb_colors.h"
#include "temp_dir.h"

namespace wexbo {
namespace {

constexpr long long kBlack = 0;
constexpr long long kWhite = 16777215;

TEST(StylesheetTest, Has134LinesWithTheColoursInTheirPlaces) {
    const auto lines = StylesheetLines(kBlack, kWhite);
    ASSERT_EQ(lines.size(), 134u);
    // 1-based line numbers of lines that show the order and the exact blanks.
    const std::pair<std::size_t, const char*> spots[] = {
        {1, "body {"},
        {7, " color:#000000;"},
        {8, " background-color :#FFFFFF;"},
        {9, "}"},
        {10, "a:link {"},
        {32, " font-family: verdana, arial,  helvetica;"},
        {61, "/* 240 + 320px */"},
        {62, "@media screen and (min-width:180px) and (max-width:360px) {"},
        {69, "@media screen and (min-width:361px) and (max-width:615px) {"},
        {76, "@media screen and (min-width:616px) and (max-width:800px) {"},
        {82, "/* 985px */"},
        {85, "@media screen and (min-width:801px) and (max-width:10000px) {"},
        {87, "* {box-sizing: border-box;}"},
        {90, "slideimg {vertical-align: middle;}"},
        {92, "  max-width: 1000px;"},
        {132, "@media only screen and (max-width: 300px) {"},
        {134, "}"}};
    for (const auto& [number, text] : spots) EXPECT_EQ(lines[number - 1], text) << "line " << number;
}

TEST(StylesheetTest, TheTextColourStandsInThirteenPlacesAndTheBackgroundInOne) {
    const auto lines = StylesheetLines(RgbColor(255, 0, 0), RgbColor(1, 2, 3));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), " color:#FF0000;"), 13);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), " background-color :#010203;"), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("#FF0000") != std::string::npos; }),
              13);
    EXPECT_EQ(lines.size(), 134u);
}

TEST(StylesheetTest, WritesLayoutCssWithCrLfAndTheSameBytesEveryTime) {
    test::TempDir dir;
    test::WriteFile(dir / "layout.css", "an older stylesheet");
    WriteStylesheet(dir.Path(), kBlack, kWhite);
    const std::string first = test::ReadFile(dir / "layout.css");
    WriteStylesheet(dir.Path(), kBlack, kWhite);
    EXPECT_EQ(test::ReadFile(dir / "layout.css"), first);

    std::string expected;
    for (const auto& line : StylesheetLines(kBlack, kWhite)) expected += line + "\r\n";
    EXPECT_EQ(first, expected);
}

TEST(StylesheetTest, AFolderThatIsAFileFailsTheWrite) {
    test::TempDir dir;
    test::WriteFile(dir / "work", "a file");
    EXPECT_THROW(WriteStylesheet(dir / "work/", kBlack, kWhite), PageFileError);
}

}  // namespace
}  // namespace wexbo
