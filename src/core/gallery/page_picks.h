// The texts that every page picks at random: the description suffix, the footer link and a
// product name. Each pick is independent of every other.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace wexbo {

// Where the picks get their numbers from; tests pass a seeded or scripted source so that their
// results are repeatable.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number from 0 to count - 1, every one equally likely. count is at least 1.
    virtual std::size_t Below(std::size_t count) = 0;
};

// A Mersenne Twister with a given seed.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    std::size_t Below(std::size_t count) override;

private:
    std::mt19937 engine_;
};

// The source of one page's picks: seeded from the album title and the page's file name, so that a
// page gets the same picks at every run (a rebuild with nothing changed writes the same bytes)
// while the pages of a gallery, and different galleries, spread over the picks as drawing at
// random does. A test may hand in a source of its own instead.
class PageRandom : public RandomSource {
public:
    PageRandom(const std::string& albumTitle, const std::string& pageName, RandomSource* given = nullptr);
    std::size_t Below(std::size_t count) override;

private:
    RandomSource* given_;
    std::mt19937 engine_;
};

// The twelve description suffixes in the order of their numbers 0 to 11: the first four phrases
// twice each, then four more once each, so those four are twice as likely.
extern const std::array<const char*, 12> kDescriptionSuffixes;

// The footer link table: 38 slots of anchor text + "|" + URL holding 27 distinct rows, 18 of them
// once, 7 twice and 2 three times, so a row's chance is its number of slots divided by 38.
extern const std::array<const char*, 38> kFooterLinkSlots;

// Seven names of the maker's other products, two words each.
extern const std::array<const char*, 7> kProductNames;

// One of the twelve suffixes, such as " - Gallery created with ".
std::string PickDescriptionSuffix(RandomSource& random);

// One slot of the footer link table; split it into anchor text (word 1) and URL (word 2) with
// NthWord and the delimiter "|".
std::string PickFooterLink(RandomSource& random);

// One name of the product name list.
std::string PickProductName(RandomSource& random);

}  // namespace wexbo
