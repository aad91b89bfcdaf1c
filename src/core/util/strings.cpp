#include "util/strings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <stdexcept>

namespace wexbo {

namespace {

std::size_t Utf8Length(std::string_view text) {
    // Counts lead bytes; continuation bytes are 10xxxxxx.
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string PadLeft(std::string_view text, char fill, std::size_t width) {
    const std::size_t length = Utf8Length(text);
    if (length >= width) return std::string(text);
    std::string result(width - length, fill);
    result += text;
    return result;
}

bool CharInText(std::string_view delimiters, char c) { return delimiters.find(c) != std::string_view::npos; }

std::size_t CountWords(std::string_view text, std::string_view delimiters) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && CharInText(delimiters, text[i])) ++i;
        if (i < text.size()) {
            ++count;
            while (i < text.size() && !CharInText(delimiters, text[i])) ++i;
        }
    }
    return count;
}

bool WordStart(std::size_t n, std::string_view text, std::string_view delimiters, std::size_t& position) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size() && count != n) {
        while (i < text.size() && CharInText(delimiters, text[i])) ++i;
        if (i < text.size()) {
            ++count;
            if (count == n) {
                position = i + 1;
                return true;
            }
            while (i < text.size() && !CharInText(delimiters, text[i])) ++i;
        }
    }
    return false;
}

std::string NthWord(std::size_t n, std::string_view text, std::string_view delimiters) {
    std::size_t start = 0;
    if (!WordStart(n, text, delimiters, start)) return {};
    std::size_t end = start - 1;
    while (end < text.size() && !CharInText(delimiters, text[end])) ++end;
    return std::string(text.substr(start - 1, end - (start - 1)));
}

std::string FileNameOnly(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string PathOnly(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string AddTrailingBackslash(std::string_view folder) {
    if (folder.empty() || folder.back() == '/') return std::string(folder);
    return std::string(folder) + '/';
}

void ReplaceSubstring(std::string& text, std::string_view search, std::string_view replacement) {
    if (search.empty()) {
        if (!text.empty()) throw std::invalid_argument("Search string cannot be blank");
        text = std::string(replacement);
        return;
    }
    if (text.empty()) return;
    std::string output;
    output.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, search.size(), search) == 0) {
            output += replacement;
            i += search.size();
        } else {
            output += text[i++];
        }
    }
    text = std::move(output);
}

std::string Trim(std::string_view text) {
    auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && isSpace(text[begin])) ++begin;
    while (end > begin && isSpace(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

std::string ToLowerAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

bool ParseInt(std::string_view text, long long& value) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty()) return false;
    long long parsed = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    value = parsed;
    return true;
}

std::uint64_t StableHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : text) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string StableDigest(std::string_view text) {
    std::uint64_t hash = StableHash(text);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string digest(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) digest[static_cast<std::size_t>(i)] = kDigits[hash & 0xF];
    return digest;
}

}  // namespace wexbo
