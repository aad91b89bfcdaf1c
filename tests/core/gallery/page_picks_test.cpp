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

// A page gets the same picks at every run; the pages of a gallery, and the same page of different
// galleries, spread over the footer links as the rows' shares of the slots say.
TEST(PageRandomTest, APageRepeatsItsPicksAndPagesSpreadAsTheSharesSay) {
    for (const char* page : {"gallery.html", "slideshow.html", "kite.html"}) {
        PageRandom first("Nature walk", page), again("Nature walk", page);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(PickFooterLink(first), PickFooterLink(again)) << page;
    }
    std::map<std::string, int> slotsPerRow;
    for (const char* s : kFooterLinkSlots) ++slotsPerRow[s];
    auto expectShares = [&](const std::map<std::string, int>& draws, int total, const char* what) {
        ASSERT_EQ(draws.size(), slotsPerRow.size()) << what;
        for (const auto& [row, slots] : slotsPerRow) {
            const double share = slots / 38.0;
            EXPECT_NEAR(draws.at(row), total * share, 5 * std::sqrt(total * share * (1 - share)))
                << what << row;
        }
    };
    constexpr int kPages = 38000;
    std::map<std::string, int> pages, galleries;
    for (int i = 0; i < kPages; ++i) {
        PageRandom page("Nature walk", "picture_" + std::to_string(i) + ".html");
        ++pages[PickFooterLink(page)];
        PageRandom gallery("Album " + std::to_string(i), "gallery.html");
        ++galleries[PickFooterLink(gallery)];
    }
    expectShares(pages, kPages, "pages of one gallery: ");
    expectShares(galleries, kPages, "one page of many galleries: ");

    ScriptedRandom given(3);  // a test's own source wins
    PageRandom scripted("Nature walk", "gallery.html", &given);
    EXPECT_EQ(PickFooterLink(scripted), kFooterLinkSlots[3]);
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
