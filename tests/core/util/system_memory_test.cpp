#include "util/system_memory.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace wexbo {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(SystemMemoryTest, TheMachineHasMemory) { EXPECT_GT(PhysicalMemory(), 64ull << 20); }

struct LimitCase {
    const char* text;
    std::optional<std::uint64_t> limit;
};
class MemoryLimitTest : public testing::TestWithParam<LimitCase> {};
TEST_P(MemoryLimitTest, ReadsTheNumberOrNoLimit) {
    EXPECT_EQ(ParseMemoryLimit(GetParam().text), GetParam().limit);
}
INSTANTIATE_TEST_SUITE_P(Cases, MemoryLimitTest,
                         testing::Values(LimitCase{"max\n", std::nullopt},
                                         LimitCase{"536870912\n", 536870912ull},
                                         LimitCase{"9223372036854771712\n", std::nullopt},
                                         LimitCase{"", std::nullopt}, LimitCase{"lots", std::nullopt},
                                         LimitCase{"0", std::nullopt}));

// The group's own limit where /proc/self/cgroup names one (v2 or v1), else the root's.
TEST(SystemMemoryTest, TheControlGroupsLimitIsFoundWhereverTheGroupLies) {
    TempDir root;
    WriteFile(root / "self", "0::/user.slice/app\n");
    WriteFile(root / "user.slice/app/memory.max", "1073741824\n");
    EXPECT_EQ(ControlGroupMemoryLimit(root.Path(), root / "self"), 1073741824ull);
    WriteFile(root / "user.slice/app/memory.max", "max\n");
    EXPECT_EQ(ControlGroupMemoryLimit(root.Path(), root / "self"), std::nullopt);

    WriteFile(root / "self", "4:memory:/box/one\n0::/\n");
    WriteFile(root / "memory/box/one/memory.limit_in_bytes", "268435456\n");
    EXPECT_EQ(ControlGroupMemoryLimit(root.Path(), root / "self"), 268435456ull);

    TempDir container;  // a container sees its own group as the root
    WriteFile(container / "self", "0::/\n");
    WriteFile(container / "memory.max", "2147483648\n");
    EXPECT_EQ(ControlGroupMemoryLimit(container.Path(), container / "self"), 2147483648ull);
    EXPECT_EQ(ControlGroupMemoryLimit(container / "nothing/", container / "none"), std::nullopt);
}

}  // namespace
}  // namespace wexbo
