#include "util/text_encoding.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

TEST(DecodeTextTest, KeepsUtf8AndReadsEverythingElseAsWindows1252) {
    EXPECT_EQ(DecodeText("Müller"), "Müller");
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFHallo"), "Hallo");
    EXPECT_EQ(DecodeText("M\xFCller"), "Müller");
    EXPECT_EQ(DecodeText("\x80\x89\x95\x99"), "€‰•™");
    EXPECT_EQ(DecodeText("\x81"), "\xC2\x81");  // undefined in the code page: kept as U+0081
}

TEST(NextLineTest, SplitsAtEveryKindOfLineEnd) {
    std::string_view text = "a\r\nb\nc\rd";
    EXPECT_EQ(NextLine(text), "a");
    EXPECT_EQ(NextLine(text), "b");
    EXPECT_EQ(NextLine(text), "c");
    EXPECT_EQ(NextLine(text), "d");
    EXPECT_TRUE(text.empty());
}

}  // namespace
}  // namespace wexbo
