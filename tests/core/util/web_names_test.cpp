#include "util/web_names.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "util/text_encoding.h"

namespace wexbo {
namespace {

// What a UTF-8 text looks like after it has been read as Windows-1252.
std::string ReadAsCp1252(const std::string& utf8Text) {
    std::string out;
    for (unsigned char byte : utf8Text) out += Cp1252ToUtf8(byte);
    return out;
}

struct Example {
    std::string text;
    std::string expected;
};
void PrintTo(const Example& example, std::ostream* out) { *out << '"' << example.text << '"'; }

class RepairUtf8ReadAsCp1252 : public testing::TestWithParam<std::string> {};

TEST_P(RepairUtf8ReadAsCp1252, GivesTheNameBack) {
    const std::string broken = ReadAsCp1252(GetParam());
    ASSERT_NE(broken, GetParam());
    EXPECT_EQ(RepairMisencodedText(broken), GetParam());
}

INSTANTIATE_TEST_SUITE_P(GermanLetters, RepairUtf8ReadAsCp1252,
                         testing::Values("Müller", "Übersee", "Ärger", "Bäcker", "Öl", "Köln", "Straße"));

TEST(RepairMisencodedTextTest, TurnsTheEuroSignIntoLettersAndKeepsTheThirdByteOfItsBrokenForm) {
    EXPECT_EQ(RepairMisencodedText("5 €"), "5 Euro");
    EXPECT_EQ(RepairMisencodedText(ReadAsCp1252("5 €")), "5 Euro¬");
    EXPECT_EQ(RepairMisencodedText("5 \x80"), "5 Euro");
}

TEST(RepairMisencodedTextTest, AppliesTheRowsInTableOrder) {
    // "é¼" (row 12) goes before "¡é" (row 19) can see the "é".
    EXPECT_EQ(RepairMisencodedText("¡é¼"), "¡ü");
    EXPECT_EQ(RepairMisencodedText("¡éx"), "èx");
    EXPECT_EQ(RepairMisencodedText("Ã\"rger éŸ"), "Ärger ß");
    EXPECT_EQ(RepairMisencodedText("Müller Noël"), "Müller Noël");
}

class WebFileNameExamples : public testing::TestWithParam<Example> {};

TEST_P(WebFileNameExamples, Converts) { EXPECT_EQ(WebFileName(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Names, WebFileNameExamples,
    testing::Values(Example{"Müller's Foto (1)", "mueller_s_foto_x1x"}, Example{"Café 2010", "caf__2010"},
                    Example{"Noël", "noël"}, Example{"", ""}, Example{"C:\\Bilder\\a.jpg", "cxxbilderxa_jpg"},
                    Example{"/home/ann/Pics/Summer 1.JPG", "xhomexannxpicsxsummer_1_jpg"},
                    Example{"Tom & Jerry*", "tom_a_jerryx"},
                    Example{"a-b!c$d%e=f\"g§h?i,j´k`l", "a_b_c_d_e_f_g_h_i_j_k_l"},
                    Example{"áéóúâêôû àèÉ ñ", "_________àèÉ_ñ"}, Example{"x<y>z:w", "xxyxzxw"},
                    Example{"Preis 5€", "preis_5euro"}, Example{"MÃ¼ller", "mueller"},
                    Example{"ÖL STRAßE", "oel_strasse"},
                    // A "#" would end the address in every link to the page.
                    Example{"Party #3", "party__3"}, Example{"tab\there\nnew", "tab_here_new"},
                    // Names that are not valid UTF-8 are read as Windows-1252.
                    Example{"M\xFCller", "mueller"},
                    Example{"Fr\xE9"
                            "d\xE9ric",
                            "fr_d_ric"},
                    Example{"Über/caf\xE9", "ueberxcaf_"}));

TEST(WebFileNameTest, AnyBytesGiveValidUtf8) {
    std::string allBytes;
    for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
    for (const std::string& name : {allBytes, std::string("\xFF\xFE\x81\xC3"), std::string("\xED\xA0\x80")}) {
        const std::string web = WebFileName(name);
        EXPECT_TRUE(IsValidUtf8(web)) << web;
        EXPECT_EQ(web.find_first_of("/\\ #?%&\"<>:*"), std::string::npos) << web;
    }
}

TEST(WebFileNameTest, NamesThatDifferInCaseReplacementOrWrittenOutUmlautCollide) {
    EXPECT_EQ(WebFileName("Ärger"), WebFileName("Aerger"));
    EXPECT_EQ(WebFileName("Ärger"), "aerger");
    EXPECT_EQ(WebFileName("FOTO 1"), WebFileName("foto-1"));
    EXPECT_EQ(WebFileName("Foto(1)"), WebFileName("foto:1*"));
}

}  // namespace
}  // namespace wexbo
