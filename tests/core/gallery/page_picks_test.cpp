#include "gallery/page_picks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "util/strings.h"

namespace wexbo {
namespace {

// Hands out the numbers it was given, so a test can ask for a particular slot.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::size_t value) : value_(value) {}
    std::size_t Below(std::size_t count) override {
        lastCount = count;
        return value_;
    }
    std::size_t lastCount = 0;

private:
    std::size_t value_;
};

TEST(PickFooterLinkTest, SlotsHold27RowsWithTheStatedRepetitions) {
    std::map<std::string, int> slotsPerRow;
    for (const char* slot : kFooterLinkSlots) ++slotsPerRow[slot];
    std::map<int, int> rowsPerCount;
    for (const auto& [row, slots] : slotsPerRow) ++rowsPerCount[slots];
    EXPECT_EQ(slotsPerRow.size(), 27u);
    EXPECT_EQ(rowsPerCount, (std::map<int, int>{{1, 18}, {2, 7}, {3, 2}}));
}

TEST(PickFooterLinkTest, EveryRowIsAnAnchorTextAndAPageOfTheMaker) {
    std::set<std::string> anchors;
    for (const std::string slot : kFooterLinkSlots) {
        ASSERT_EQ(CountWords(slot, "|"), 2u) << slot;
        const std::string anchor = NthWord(1, slot, "|");
        const std::string url = NthWord(2, slot, "|");
        EXPECT_EQ(slot, anchor + "|" + url);
        EXPECT_TRUE(url.starts_with("https://www.velmora.example/")) << url;
        EXPECT_EQ((anchor + url).find_first_of("\"<>&"), std::string::npos) << slot;
        EXPECT_EQ(url.find(' '), std::string::npos) << url;
        anchors.insert(anchor);
    }
    EXPECT_EQ(anchors.size(), 27u);
}

TEST(PickFooterLinkTest, DrawsOneOf38SlotsEachEquallyLikely) {
    ScriptedRandom slot(37);
    EXPECT_EQ(PickFooterLink(slot), kFooterLinkSlots[37]);
    EXPECT_EQ(slot.lastCount, 38u);

    // Over many seeded draws every row turns up about as often as its share of the slots says.
    SeededRandom random(20240611);
    std::map<std::string, int> draws;
    constexpr int kDraws = 38000;
    for (int i = 0; i < kDraws; ++i) ++draws[PickFooterLink(random)];
    std::map<std::string, int> slotsPerRow;
    for (const char* s : kFooterLinkSlots) ++slotsPerRow[s];
    ASSERT_EQ(draws.size(), slotsPerRow.size());
    for (const auto& [row, slots] : slotsPerRow) {
        const double share = slots / 38.0;
        const double spread = std::sqrt(kDraws * share * (1 - share));
        EXPECT_NEAR(draws[row], kDraws * share, 5 * spread) << row;
    }
}

TEST(PickDescriptionSuffixTest, NumbersPickTheirSuffixes) {
    const std::map<std::size_t, std::string> expected = {
        {0, " - Page created with "},     {4, " - Page created with "},
        {1, " - Gallery created with "},  {5, " - Gallery created with "},
        {2, " - Homepage created with "}, {6, " - Homepage created with "},
        {3, " - Web page created with "}, {7, " - Web page created with "},
        {8, " - Page made with "},        {9, " - Gallery made with "},
        {10, " - Homepage made with "},   {11, " - Internet page made with "}};
    for (const auto& [k, text] : expected) {
        ScriptedRandom random(k);
        EXPECT_EQ(PickDescriptionSuffix(random), text) << k;
        EXPECT_EQ(random.lastCount, 12u);
    }
}

TEST(PickProductNameTest, SevenNamesOfTwoWords) {
    std::set<std::string> names;
    for (std::size_t k = 0; k < 7; ++k) {
        ScriptedRandom random(k);
        const std::string name = PickProductName(random);
        EXPECT_EQ(random.lastCount, 7u);
        EXPECT_EQ(CountWords(name, " "), 2u) << name;
        EXPECT_EQ(name, Trim(name));
        EXPECT_EQ(name.find('|'), std::string::npos) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 7u);
}

TEST(ProgramRandomTest, PicksInQuickSuccessionDiffer) {
    // Pages written within the same moment must not all show the same footer link.
    std::set<std::string> links;
    for (int i = 0; i < 200; ++i) links.insert(PickFooterLink());
    EXPECT_GT(links.size(), 15u);
}

TEST(SeededRandomTest, TheSameSeedRepeatsThePicks) {
    SeededRandom a(7), b(7);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(PickFooterLink(a), PickFooterLink(b));
        EXPECT_EQ(PickProductName(a), PickProductName(b));
    }
}

}  // namespace
}  // namespace wexbo
