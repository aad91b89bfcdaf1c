#include "workspace/album_list_editing.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

TEST(SelectableIndexTest, MinusOneOrPastTheEndSelectsTheLast) {
    EXPECT_EQ(SelectableIndex(-1, 5), 4);
    EXPECT_EQ(SelectableIndex(7, 5), 4);
    EXPECT_EQ(SelectableIndex(2, 5), 2);
    EXPECT_EQ(SelectableIndex(-1, 0), -1);
}

}  // namespace
}  // namespace wexbo
