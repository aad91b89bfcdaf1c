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
    Language language;
    const char* line;
};

class FooterLineTest : public testing::TestWithParam<FooterCase> {};

TEST_P(FooterLineTest, DependsOnTheLanguage) {
    EXPECT_EQ(FooterLine(GetParam().language, "Web gallery software", "https://www.velmora.example/wexbo/"),
              GetParam().line);
}

#define WEXBO_LINK \
    " - <a href=\"https://www.velmora.example/wexbo/\" target=\"_blank\">Web gallery software</a>"
INSTANTIATE_TEST_SUITE_P(Codes, FooterLineTest,
                         testing::Values(FooterCase{Language::German, "Erstellt mit Wexbo 10" WEXBO_LINK},
                                         FooterCase{Language::English, "Created with Wexbo 10" WEXBO_LINK},
                                         FooterCase{Language::French, "Created with Wexbo 10" WEXBO_LINK},
                                         FooterCase{Language::Italian, "Created with Wexbo 10" WEXBO_LINK},
                                         FooterCase{Language::Spanish, "Created with Wexbo 10" WEXBO_LINK}));
#undef WEXBO_LINK

}  // namespace
}  // namespace wexbo
