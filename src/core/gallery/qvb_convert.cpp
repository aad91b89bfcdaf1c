#include "gallery/qvb_convert.h"

#include <array>

#include "util/text_encoding.h"

namespace wexbo {

namespace {

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

}  // namespace

std::string EncodeHtmlText(const std::string& text) {
    const std::u32string characters = DecodeCharacters(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char32_t c = characters[i];
        if (const char* entity = EntityOf(c))
            out += entity;
        else if (c == U'&' && i + 1 < characters.size() && StartsCharacterReference(characters[i + 1]))
            out += "&amp;";
        else
            AppendUtf8(out, c);
    }
    return out;
}

}  // namespace wexbo
