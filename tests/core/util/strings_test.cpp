#include "util/strings.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace wexbo {
namespace {

struct PadCase {
    const char* text;
    char fill;
    std::size_t width;
    const char* expected;
};
class PadLeftTest : public testing::TestWithParam<PadCase> {};
TEST_P(PadLeftTest, Pads) {
    EXPECT_EQ(PadLeft(GetParam().text, GetParam().fill, GetParam().width), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, PadLeftTest,
                         testing::Values(PadCase{"7", '0', 4, "0007"}, PadCase{"12345", '0', 4, "12345"},
                                         PadCase{"", '0', 2, "00"}, PadCase{"1", '0', 2, "01"},
                                         PadCase{"10000", '0', 4, "10000"},
                                         PadCase{"\xC3\xA4", '.', 3, "..\xC3\xA4"}));  // counts "ä" once

struct WordCase {
    const char* text;
    const char* delimiters;
    std::size_t count;
    std::size_t n;
    const char* word;   // NthWord(n)
    std::size_t start;  // WordStart(n), 0 when it fails
};
class WordsTest : public testing::TestWithParam<WordCase> {};
TEST_P(WordsTest, CountsFindsAndCuts) {
    const WordCase& c = GetParam();
    EXPECT_EQ(CountWords(c.text, c.delimiters), c.count);
    EXPECT_EQ(NthWord(c.n, c.text, c.delimiters), c.word);
    std::size_t position = 99;
    EXPECT_EQ(WordStart(c.n, c.text, c.delimiters, position), c.start != 0);
    EXPECT_EQ(position, c.start != 0 ? c.start : 99u);  // untouched on failure
}
INSTANTIATE_TEST_SUITE_P(
    Cases, WordsTest,
    testing::Values(WordCase{"  one  two  ", " ", 2, 2, "two", 8}, WordCase{"", " ", 0, 1, "", 0},
                    WordCase{"|||", "|", 0, 1, "", 0}, WordCase{"a||b", "|", 2, 2, "b", 4},
                    WordCase{"||a||b|", "|", 2, 1, "a", 3}, WordCase{"a|b", "|", 2, 3, "", 0},
                    WordCase{"a|b", "|", 2, 0, "", 0}, WordCase{"|x", "|", 1, 1, "x", 2},
                    WordCase{"a.b.c.jpg", ".", 4, 4, "jpg", 7},
                    WordCase{"<IMG src=\"x\" align=\"top\">a.jpg | cap", ">", 2, 2, "a.jpg | cap", 26},
                    WordCase{"a b", "", 1, 1, "a b", 1}));

TEST(CharInTextTest, FindsOnlyMembers) {
    EXPECT_TRUE(CharInText("|>", '>'));
    EXPECT_FALSE(CharInText("|>", '_'));
    EXPECT_FALSE(CharInText("", 'a'));
}

struct PathCase {
    const char* input;
    const char* pathOnly;
    const char* withSlash;
};
class PathTest : public testing::TestWithParam<PathCase> {};
TEST_P(PathTest, SplitsAndCloses) {
    EXPECT_EQ(PathOnly(GetParam().input), GetParam().pathOnly);
    EXPECT_EQ(AddTrailingBackslash(GetParam().input), GetParam().withSlash);
}
INSTANTIATE_TEST_SUITE_P(Cases, PathTest,
                         testing::Values(PathCase{"/prog/wexbo", "/prog", "/prog/wexbo/"},
                                         PathCase{"/a.jpg", "/", "/a.jpg/"}, PathCase{"a.jpg", "", "a.jpg/"},
                                         PathCase{"", "", ""}, PathCase{"/prog/", "/prog", "/prog/"},
                                         PathCase{"ab", "", "ab/"}, PathCase{"/", "/", "/"}));

TEST(PathTest, LongPathsHaveNoLimit) {
    const std::string deep = "/" + std::string(300, 'd') + "/" + std::string(300, 'f');
    EXPECT_EQ(PathOnly(deep), "/" + std::string(300, 'd'));
}

struct ReplaceCase {
    const char* text;
    const char* search;
    const char* replacement;
    const char* expected;
};
class ReplaceTest : public testing::TestWithParam<ReplaceCase> {};
TEST_P(ReplaceTest, Replaces) {
    std::string text = GetParam().text;
    ReplaceSubstring(text, GetParam().search, GetParam().replacement);
    EXPECT_EQ(text, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTest,
    testing::Values(ReplaceCase{"aaa", "aa", "b", "ba"}, ReplaceCase{"Word word", "WORD", "x", "Word word"},
                    ReplaceCase{"a&b&c", "&", "&amp;", "a&amp;b&amp;c"},  // not rescanned
                    ReplaceCase{"xyx", "x", "", "y"}, ReplaceCase{"", "a", "b", ""},
                    ReplaceCase{"", "", "new", "new"}, ReplaceCase{"ab", "b", "0123456789", "a0123456789"}));

TEST(ReplaceTest, EmptySearchInTextIsAnError) {
    std::string text = "abc";
    try {
        ReplaceSubstring(text, "", "x");
        FAIL() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "Search string cannot be blank");
    }
}

TEST(TextHelpersTest, TrimCaseAndNumbers) {
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_TRUE(EqualsIgnoreCase("Gal_0001", "GAL_0001"));
    EXPECT_FALSE(EqualsIgnoreCase("Gal", "Gal_"));
    long long value = 5;
    EXPECT_TRUE(ParseInt(" 80  ", value));
    EXPECT_EQ(value, 80);
    EXPECT_TRUE(ParseInt("-3", value));
    EXPECT_EQ(value, -3);
    value = 7;
    for (const char* bad : {"", "  ", "8x", "0x10", "1.5", "99999999999999999999"}) {
        EXPECT_FALSE(ParseInt(bad, value)) << bad;
        EXPECT_EQ(value, 7);
    }
}

}  // namespace
}  // namespace wexbo
