#include "gallery/page_lines.h"

#include <gtest/gtest.h>

namespace wexbo {
namespace {

TEST(PageLinesTest, EveryPageOpensWithTheDoctypeAndAUtf8Head) {
    EXPECT_EQ(OpeningLines(),
              (std::vector<std::string>{
                  "<!DOCTYPE html>",
                  "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><meta http-equiv=\"Content-Type\" "
                  "content=\"text/html; charset=utf-8\" />"}));
}

TEST(PageLinesTest, UserTextCannotBreakTheTitleOrTheDescription) {
    const std::string title = "Tom's \"Party\" </title><script>x</script> Köln";
    EXPECT_EQ(
        TitleLine(title),
        "<title>Tom's &quot;Party&quot; &lt;/title&gt;&lt;script&gt;x&lt;/script&gt; K&ouml;ln</title>");
    EXPECT_EQ(DescriptionLine("Urlaub \"2010\" - Page created with Wexbo 10"),
              "<meta name=\"description\" content=\"Urlaub &quot;2010&quot; - Page created with Wexbo 10\">");
    EXPECT_EQ(TitleLine("Urlaub"), "<title>Urlaub</title>");
}

TEST(PageLinesTest, TheHeaderCarriesTheEncodedAlbumTitle) {
    EXPECT_EQ(PageHeaderLines("Müller & Söhne <2>"),
              (std::vector<std::string>{"<center><div class=\"header\">",
                                        "M&uuml;ller & S&ouml;hne &lt;2&gt;</div>"}));
}

struct FooterCase {
    const char* code;
    const char* line;
};

class FooterLineTest : public testing::TestWithParam<FooterCase> {};

TEST_P(FooterLineTest, DependsOnTheLanguageCode) {
    const auto line =
        FooterLine(GetParam().code, "Web gallery software", "https://www.velmora.example/wexbo/");
    if (*GetParam().line == '\0') {
        EXPECT_FALSE(line.has_value());
    } else {
        ASSERT_TRUE(line.has_value());
        EXPECT_EQ(*line, GetParam().line);
    }
}

#define WEXBO_LINK \
    " - <a href=\"https://www.velmora.example/wexbo/\" target=\"_blank\">Web gallery software</a>"
INSTANTIATE_TEST_SUITE_P(Codes, FooterLineTest,
                         testing::Values(FooterCase{"GERMAN", "Erstellt mit Wexbo 10" WEXBO_LINK},
                                         FooterCase{"ENGLISH", "Created with Wexbo 10" WEXBO_LINK},
                                         FooterCase{"FRANCE", "Created with Wexbo 10" WEXBO_LINK},
                                         FooterCase{"ITALIAN", "Created with Wexbo 10" WEXBO_LINK},
                                         FooterCase{"SPAIN", "Created with Wexbo 10" WEXBO_LINK},
                                         FooterCase{"DUTCH", ""}, FooterCase{"", ""}));
#undef WEXBO_LINK

}  // namespace
}  // namespace wexbo
