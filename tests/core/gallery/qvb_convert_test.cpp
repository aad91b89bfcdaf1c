#include "gallery/qvb_convert.h"

#include <gtest/gtest.h>
#include <utf8.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace wexbo {
namespace {

std::string Utf8Of(char32_t c) {
    std::string out;
    utf8::append(c, std::back_inserter(out));
    return out;
}

// The Latin-1 entity set of HTML 4.01 (HTMLlat1.ent), U+00A0 to U+00FF in order.
constexpr const char* kHtml4Latin1 =
    "nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr "
    "deg plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo frac14 frac12 frac34 iquest "
    "Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml Igrave Iacute Icirc Iuml "
    "ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash Ugrave Uacute Ucirc Uuml Yacute THORN szlig "
    "agrave aacute acirc atilde auml aring aelig ccedil egrave eacute ecirc euml igrave iacute icirc iuml "
    "eth ntilde ograve oacute ocirc otilde ouml divide oslash ugrave uacute ucirc uuml yacute thorn yuml";

TEST(EncodeHtmlTextTest, EveryLatin1CharacterGetsItsHtml4EntityButTheFiveThatStay) {
    std::istringstream names(kHtml4Latin1);
    std::vector<std::string> entityNames{std::istream_iterator<std::string>(names), {}};
    ASSERT_EQ(entityNames.size(), 96u);
    for (char32_t c = 0xA0; c <= 0xFF; ++c) {
        const bool stays = c == 0xA0 || c == 0xAC || c == 0xAD || c == 0xB4 || c == 0xB6;
        const std::string expected = stays ? Utf8Of(c) : "&" + entityNames[c - 0xA0] + ";";
        EXPECT_EQ(EncodeHtmlText(Utf8Of(c)), expected) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

TEST(EncodeHtmlTextTest, OnlyTheTableCharactersChangeInTheRestOfThePlane) {
    const std::u32string encoded = U"\"<>\u20AC\u2030\u2022\u2122";
    for (char32_t c = 1; c < 0x10000; ++c) {
        if ((c >= 0xA1 && c <= 0xFF) || encoded.find(c) != std::u32string::npos) continue;
        if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are no characters
        ASSERT_EQ(EncodeHtmlText(Utf8Of(c)), Utf8Of(c)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

struct Example {
    std::string text;
    std::string expected;
};
void PrintTo(const Example& example, std::ostream* out) { *out << '"' << example.text << '"'; }

class EncodeHtmlTextExamples : public testing::TestWithParam<Example> {};

TEST_P(EncodeHtmlTextExamples, Encodes) { EXPECT_EQ(EncodeHtmlText(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Texts, EncodeHtmlTextExamples,
    testing::Values(Example{"Müller & Söhne <2>", "M&uuml;ller & S&ouml;hne &lt;2&gt;"},
                    Example{"5 ± 2", "5 &plusmn; 2"}, Example{"a\u00A0b", "a\u00A0b"},
                    Example{"Straße Ärger Übel", "Stra&szlig;e &Auml;rger &Uuml;bel"},
                    Example{"\"Tom's\" 3 € ‰ • ™", "&quot;Tom's&quot; 3 &euro; &permil; &bull; &trade;"},
                    Example{"Šœ–…", "Šœ–…"},  // the rest of the old 0x80 to 0x9F range stays
                    // "&" before a letter, digit or "#" would start a character reference.
                    Example{"Tom &amp; Jerry &copy AT&T", "Tom &amp;amp; Jerry &amp;copy AT&amp;T"},
                    Example{"&#169; &#x3C; 1&2", "&amp;#169; &amp;#x3C; 1&amp;2"},
                    Example{"R & D &, &&", "R & D &, &&"}, Example{"&", "&"}, Example{"", ""},
                    // Stray bytes are read as Windows-1252: 0xFC is "ü", 0x80 the euro sign.
                    Example{"M\xFCller \x80", "M&uuml;ller &euro;"}, Example{"\xC3", "&Atilde;"}));

}  // namespace
}  // namespace wexbo
