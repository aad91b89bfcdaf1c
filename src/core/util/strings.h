// Word, path and text routines that every list format and folder path of the program relies on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wexbo {

// Positions are 1-based. A delimiter set is a string whose characters are the delimiters. All
// callers use ASCII delimiters; since no byte of a multi-byte UTF-8 sequence is ASCII, splitting
// UTF-8 text byte-wise gives the same words as splitting it character-wise.

// The text preceded by fill characters up to `width` characters (counted as UTF-8 characters);
// the text itself when it is already at least that long.
std::string PadLeft(std::string_view text, char fill, std::size_t width);

// True when `c` occurs in the delimiter set.
bool CharInText(std::string_view delimiters, char c);

// Number of words: maximal runs of non-delimiters. Runs of delimiters separate nothing further.
std::size_t CountWords(std::string_view text, std::string_view delimiters);

// True and the 1-based start of word n when the text has at least n words; `position` is left
// untouched otherwise.
bool WordStart(std::size_t n, std::string_view text, std::string_view delimiters, std::size_t& position);

// Word n (1-based), or the empty string when there is none.
std::string NthWord(std::size_t n, std::string_view text, std::string_view delimiters);

// The folder part of a path: everything before the last "/", "/" itself for a file in the root,
// empty for a bare file name.
std::string PathOnly(std::string_view path);
// The file name part of a path: everything after the last "/" (the whole path when it has none).
std::string FileNameOnly(std::string_view path);

// The folder name ending in exactly one "/"; an empty name stays empty.
std::string AddTrailingBackslash(std::string_view folder);

// Replaces every non-overlapping occurrence of `search`, case-sensitively, scanning left to right.
// Throws std::invalid_argument("Search string cannot be blank") for an empty search in a
// non-empty text; an empty text with an empty search becomes the replacement.
void ReplaceSubstring(std::string& text, std::string_view search, std::string_view replacement);

// Text helpers shared by the file formats.
std::string Trim(std::string_view text);  // strips blanks and control characters at both ends
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix);
// A hash of text that stays the same from run to run and version to version (64-bit FNV-1a): for
// telling texts apart and seeding, not for security.
std::uint64_t StableHash(std::string_view text);
// StableHash as 16 lower-case hex digits, for names.
std::string StableDigest(std::string_view text);

// Parses a whole decimal integer (optional sign, surrounding blanks allowed); false otherwise.
bool ParseInt(std::string_view text, long long& value);

}  // namespace wexbo
