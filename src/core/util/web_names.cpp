#include "util/web_names.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <utility>

#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

namespace {

std::string ToUtf8(const std::u32string& characters) {
    std::string out;
    out.reserve(characters.size());
    for (char32_t c : characters) AppendUtf8(out, c);
    return out;
}

// The repair table as Windows-1252 byte pairs (a single 0x80 in row 10), in the order of
// application; each pair is matched as the two characters those bytes stand for.
struct RepairRow {
    std::array<unsigned char, 2> bytes;
    int length;
    const char* replacement;
};
constexpr RepairRow kRepairRows[] = {
    {{0xC3, 0x9C}, 2, "Ü"}, {{0xC3, 0xBC}, 2, "ü"},    {{0xC3, 0x84}, 2, "Ä"},    {{0xC3, 0x22}, 2, "Ä"},
    {{0xC3, 0xA4}, 2, "ä"}, {{0xC3, 0xFB}, 2, "Ö"},    {{0xC3, 0x96}, 2, "Ö"},    {{0xC3, 0xB6}, 2, "ö"},
    {{0xC3, 0x9F}, 2, "ß"}, {{0x80, 0x00}, 1, "Euro"}, {{0xE2, 0x82}, 2, "Euro"}, {{0xE9, 0xBC}, 2, "ü"},
    {{0xE9, 0xB6}, 2, "ö"}, {{0xE9, 0xA4}, 2, "ä"},    {{0xE9, 0x9C}, 2, "Ü"},    {{0xE9, 0x96}, 2, "Ö"},
    {{0xE9, 0x84}, 2, "Ä"}, {{0xE9, 0x9F}, 2, "ß"},    {{0xA1, 0xE9}, 2, "è"},    {{0xE9, 0xA9}, 2, "á"},
    {{0xE9, 0xA8}, 2, "à"}, {{0xE9, 0xB3}, 2, "ó"},    {{0xE9, 0xB2}, 2, "ò"},    {{0xE9, 0xB4}, 2, "ô"}};

std::string RepairCharacters(std::string text) {
    static const auto searches = [] {
        std::array<std::string, std::size(kRepairRows)> texts;
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (int b = 0; b < kRepairRows[i].length; ++b) texts[i] += Cp1252ToUtf8(kRepairRows[i].bytes[b]);
        return texts;
    }();
    for (std::size_t i = 0; i < searches.size(); ++i)
        ReplaceSubstring(text, searches[i], kRepairRows[i].replacement);
    return text;
}

// Characters of a web name that become "_" and "x"; "&" becomes "a". "#" is among the first
// because it would cut the name short in every link to the page.
constexpr std::u32string_view kToUnderscore =
    U" '.-!$%=\"\u00A7?,\u00B4`\u20AC\u00E9\u00E1\u00FA\u00F3\u00EA\u00E2\u00FB\u00F4#";
constexpr std::u32string_view kToX = U"*:()\\/><";

char32_t WebCharacter(char32_t c) {
    // Browsers drop control characters from addresses, so they cannot stay in a name either.
    if (c < 0x20 || c == 0x7F || kToUnderscore.find(c) != std::u32string_view::npos) return U'_';
    if (c == U'&') return U'a';
    if (kToX.find(c) != std::u32string_view::npos) return U'x';
    return c;
}

}  // namespace

std::string RepairMisencodedText(const std::string& text) {
    return RepairCharacters(ToUtf8(DecodeCharacters(text)));
}

std::string WebFileName(const std::string& path) {
    // Umlauts and ß are written out; the capitals' "Ae" is lower-cased along with A to Z.
    static constexpr std::pair<char32_t, const char*> kWrittenOut[] = {
        {U'\u00E4', "ae"}, {U'\u00C4', "ae"}, {U'\u00F6', "oe"}, {U'\u00D6', "oe"},
        {U'\u00FC', "ue"}, {U'\u00DC', "ue"}, {U'\u00DF', "ss"}};
    std::string out;
    out.reserve(path.size());
    for (char32_t c : DecodeCharacters(RepairMisencodedText(path))) {
        c = WebCharacter(c);
        const auto written = std::find_if(std::begin(kWrittenOut), std::end(kWrittenOut),
                                          [c](const auto& entry) { return entry.first == c; });
        if (written != std::end(kWrittenOut)) {
            out += written->second;
            continue;
        }
        if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace wexbo
