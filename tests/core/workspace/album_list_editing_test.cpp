#include "workspace/album_list_editing.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

TEST(MoveEntryTest, MovesOneEntryAndShiftsTheOthers) {
    std::vector<std::string> entries = {"A", "B", "C", "D", "E"};
    MoveEntry(entries, 0, 3);
    EXPECT_EQ(entries, (std::vector<std::string>{"B", "C", "D", "A", "E"}));
    MoveEntry(entries, 4, 0);
    EXPECT_EQ(entries, (std::vector<std::string>{"E", "B", "C", "D", "A"}));
    MoveEntry(entries, 1, 9);
    EXPECT_EQ(entries, (std::vector<std::string>{"E", "B", "C", "D", "A"}));
}

TEST(CaptionTest, EditReplacesTheCaptionPartOnly) {
    const std::string image = "<IMG src=\"file:///a/_THUMB_x.jpg\" align=\"top\">x.jpg";
    EXPECT_EQ(EntryWithEditedCaption(image + " | old", "new"), image + " | new");
    EXPECT_EQ(EntryWithEditedCaption(image, ""), image + " | ");
}

TEST(CaptionTest, CleaningDropsSplitCharactersAndKeepsFiftyEightCharacters) {
    EXPECT_EQ(CleanCaption("a|b>c"), "abc");
    const std::string umlauts(58 * 2, 'x');
    std::string long_text;
    for (int i = 0; i < 60; ++i) long_text += "ü";
    std::string expected;
    for (int i = 0; i < 58; ++i) expected += "ü";
    EXPECT_EQ(CleanCaption(long_text), expected);  // counted in characters, never cut inside one
}

TEST(SelectableIndexTest, MinusOneOrPastTheEndSelectsTheLast) {
    EXPECT_EQ(SelectableIndex(-1, 5), 4);
    EXPECT_EQ(SelectableIndex(7, 5), 4);
    EXPECT_EQ(SelectableIndex(2, 5), 2);
    EXPECT_EQ(SelectableIndex(-1, 0), -1);
}

}  // namespace
}  // namespace wexbo
