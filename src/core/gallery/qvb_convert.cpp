#include "gallery/qvb_convert.h"

#include <utf8.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <utility>

#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

namespace {

// Reads text character by character. Valid UTF-8 sequences are taken as they are and every other
// byte as a Windows-1252 character, so that a name from an old disk or archive (where "ü" is the
// single byte 0xFC) still yields its letters, also when only part of it is valid UTF-8.
std::u32string ToCharacters(std::string_view bytes) {
    std::u32string characters;
    characters.reserve(bytes.size());
    auto it = bytes.begin();
    while (it != bytes.end()) {
        const auto lead = static_cast<unsigned char>(*it);
        std::ptrdiff_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length > 0 && length <= bytes.end() - it && utf8::is_valid(it, it + length)) {
            characters += utf8::unchecked::next(it);
            continue;
        }
        const std::string decoded = Cp1252ToUtf8(lead);
        characters += utf8::unchecked::peek_next(decoded.begin());
        ++it;
    }
    return characters;
}

void Append(std::string& out, char32_t character) { utf8::append(character, std::back_inserter(out)); }

std::string ToUtf8(const std::u32string& characters) {
    std::string out;
    out.reserve(characters.size());
    for (char32_t c : characters) Append(out, c);
    return out;
}

// HTML 4 entity names of U+00A1 to U+00FF; empty for the four characters that stay as they are
// (not sign, soft hyphen, acute accent, pilcrow).
constexpr std::array<const char*, 0xFF - 0xA1 + 1> kLatin1Entities = {
    "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "",       "",       "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "",
    "micro",  "",       "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34",
    "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave",
    "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve",
    "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",
    "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",
    "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave", "uacute",
    "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// The entity of a character, or nullptr when it passes unchanged. Every entity is plain ASCII
// without a table character, so one pass over the text gives the same result as replacing the
// table's rows one after the other.
const char* EntityOf(char32_t c) {
    static constexpr std::pair<char32_t, const char*> kOthers[] = {
        {U'"', "&quot;"},        {U'<', "&lt;"},        {U'>', "&gt;"},        {U'\u20AC', "&euro;"},
        {U'\u2030', "&permil;"}, {U'\u2022', "&bull;"}, {U'\u2122', "&trade;"}};
    for (const auto& [character, entity] : kOthers)
        if (c == character) return entity;
    if (c >= 0xA1 && c <= 0xFF) {
        static const auto entities = [] {
            std::array<std::string, kLatin1Entities.size()> texts;
            for (std::size_t i = 0; i < texts.size(); ++i)
                if (*kLatin1Entities[i] != '\0') texts[i] = std::string("&") + kLatin1Entities[i] + ";";
            return texts;
        }();
        const std::string& entity = entities[c - 0xA1];
        return entity.empty() ? nullptr : entity.c_str();
    }
    return nullptr;
}

// A browser reads "&" followed by a letter, a digit or "#" as the start of a character reference
// ("&copy", "&amp;", "&#169;"), so a caption holding such text would show something else; a lone
// "&" ("Müller & Söhne") reads as itself and stays.
bool StartsCharacterReference(char32_t next) {
    return (next >= U'a' && next <= U'z') || (next >= U'A' && next <= U'Z') ||
           (next >= U'0' && next <= U'9') || next == U'#';
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

std::string EncodeHtmlText(const std::string& text) {
    const std::u32string characters = ToCharacters(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char32_t c = characters[i];
        if (const char* entity = EntityOf(c))
            out += entity;
        else if (c == U'&' && i + 1 < characters.size() && StartsCharacterReference(characters[i + 1]))
            out += "&amp;";
        else
            Append(out, c);
    }
    return out;
}

std::string RepairMisencodedText(const std::string& text) {
    return RepairCharacters(ToUtf8(ToCharacters(text)));
}

std::string WebFileName(const std::string& path) {
    // Umlauts and ß are written out; the capitals' "Ae" is lower-cased along with A to Z.
    static constexpr std::pair<char32_t, const char*> kWrittenOut[] = {
        {U'\u00E4', "ae"}, {U'\u00C4', "ae"}, {U'\u00F6', "oe"}, {U'\u00D6', "oe"},
        {U'\u00FC', "ue"}, {U'\u00DC', "ue"}, {U'\u00DF', "ss"}};
    std::string out;
    out.reserve(path.size());
    for (char32_t c : ToCharacters(RepairMisencodedText(path))) {
        c = WebCharacter(c);
        const auto written = std::find_if(std::begin(kWrittenOut), std::end(kWrittenOut),
                                          [c](const auto& entry) { return entry.first == c; });
        if (written != std::end(kWrittenOut)) {
            out += written->second;
            continue;
        }
        if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
        Append(out, c);
    }
    return out;
}

}  // namespace wexbo
