#include "gallery/gallery_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gallery/make.h"
#include "gallery/page_lines.h"
#include "temp_dir.h"
#include "util/strings.h"

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;

// Always the first entry, so every pick is known.
class FirstPick : public RandomSource {
public:
    std::size_t Below(std::size_t) override { return 0; }
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class PagesTest : public testing::Test {
protected:
    PagesTest() {
        std::filesystem::create_directories(setup.templateFolder);
        std::filesystem::create_directories(setup.pageFolder);
    }

    static std::vector<PagePicture> Pictures(std::size_t count) {
        std::vector<PagePicture> pictures;
        for (std::size_t i = 0; i < count; ++i)
            pictures.push_back({std::string(1, static_cast<char>('a' + i)),
                                "Caption " + std::to_string(i + 1),
                                {107, 80},
                                i % 2 == 0,
                                {},
                                {},
                                {}});
        return pictures;
    }
    void WriteOverview(const std::vector<PagePicture>& pictures, int perRow, bool captions) {
        WriteOverviewTemplates(setup);
        WriteDetailPages(setup, pictures, captions);
        WriteOverviewPage(setup, pictures, perRow, captions);
    }
    void WriteSlideshow(const std::vector<PagePicture>& pictures) {
        WriteSlideshowTemplates(setup);
        WriteSlideshowPage(setup, pictures);
    }
    std::string Page(const std::string& name) const { return ReadFile(setup.pageFolder + name); }
    std::vector<std::string> PageLines(const std::string& name) const {
        return ReadTextLines(setup.pageFolder + name);
    }
    std::string Footer() const {
        const std::string link = kFooterLinkSlots[0];
        return FooterLine(setup.language, NthWord(1, link, "|"), NthWord(2, link, "|"));
    }
    static std::size_t Count(const std::string& text, const std::string& part) {
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos;
             at = text.find(part, at + part.size()))
            ++count;
        return count;
    }

    TempDir dir;
    FirstPick random;
    PageSetup setup{"Trip \"Süd\"", Language::English, dir / "templates/", dir / "pages/", &random};
    // One picture whose caption needs encoding, in a gallery whose title does too.
    std::vector<PagePicture> beach{{"beach", "Sun & <sea>", {107, 80}, true, {}, {}, {}}};
};

constexpr const char* kOpening[] = {"<!DOCTYPE html>",
                                    "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><meta "
                                    "http-equiv=\"Content-Type\" content=\"text/html; "
                                    "charset=utf-8\" />"};
constexpr const char* kTitle = "Trip &quot;S&uuml;d&quot;";
constexpr const char* kCaption = "Sun & &lt;sea&gt;";

// The German heads up to the header line: the stylesheet link before the viewport line, or after it
// on the slideshow page.
std::vector<std::string> GermanHead(const std::string& title, bool viewportFirst) {
    const char* link = "<link href=\"layout.css\" rel=\"stylesheet\" type=\"text/css\">";
    const char* viewport =
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0, user-scalable=yes\">";
    return {
        kOpening[0],
        kOpening[1],
        "<title>" + title + "</title>",
        std::string("<meta name=\"description\" content=\"") + kTitle + " - Page created with Wexbo 10\">",
        viewportFirst ? viewport : link,
        viewportFirst ? link : viewport,
        "</head>",
        "<body>",
        "<center><div class=\"header\">"};
}

std::vector<std::string> Concatenated(std::vector<std::string> head, const std::vector<std::string>& rest) {
    head.insert(head.end(), rest.begin(), rest.end());
    return head;
}

TEST_F(PagesTest, GermanOverviewPageLineByLine) {
    setup.language = Language::German;
    WriteOverview(beach, 1, true);
    EXPECT_EQ(
        Page("gallery.html"),
        Joined(Concatenated(
            GermanHead(kTitle, false),
            {std::string(kTitle) + "</div>",
             "<br><a href=\"slideshow.html\"><img src=\"slideshow.gif\" border=\"0\" alt=\"Slideshow "
             "starten\"></a> <br><br>",
             "Klicken Sie auf die Bilder, um diese in Originalgr&ouml;&szlig;e zu sehen.<br>",
             "<table width=\"100%\" border=\"0\" cellspacing=\"15\" cellpadding=\"0\">", "<tr>",
             "<td align=\"center\" width=\"100%\">",
             std::string("<a href=\"beach.html\"><img loading=\"lazy\" class=\"sca\" src=\"beach_thumb.jpg\" "
                         "width=\"107\" height=\"80\" alt=\"") +
                 kCaption + "\" title=\"" + kCaption + "\" border=\"0\"></a><br>" + kCaption,
             "</td>", "</tr>", "<tr>", "<td align=\"center\">&nbsp;</td>", "</tr>", "</table>", "<hr>",
             Footer(), "</center>", "</body>", "</html>"})));
    EXPECT_EQ(Footer().rfind("Erstellt mit Wexbo 10 - <a href=\"", 0), 0u) << Footer();
}

TEST_F(PagesTest, EnglishOverviewHeadDiffersInDescriptionButtonAndInstruction) {
    WriteOverview(beach, 4, true);
    const std::vector<std::string> lines = PageLines("gallery.html");
    ASSERT_GE(lines.size(), 13u);
    EXPECT_EQ(lines[3],
              std::string("<meta name=\"description\" content=\"") + kTitle + " - Made with Wexbo 10\">");
    EXPECT_EQ(lines[10],
              "<br><a href=\"slideshow.html\"><img src=\"slideshow.gif\" border=\"0\" alt=\"Start "
              "Slideshow\" title=\"Start Slideshow\"></a> <br><br>");
    EXPECT_EQ(lines[11], "Click to view larger Picture.<br>");
    EXPECT_EQ(lines[lines.size() - 4], Footer());
    EXPECT_EQ(Footer().rfind("Created with Wexbo 10 - <a href=\"", 0), 0u) << Footer();
}

struct InstructionCase {
    Language language;
    const char* line;  // the instruction above the table
};

class OverviewInstructionTest : public PagesTest, public testing::WithParamInterface<InstructionCase> {};

TEST_P(OverviewInstructionTest, TheInstructionFollowsTheLanguage) {
    setup.language = GetParam().language;
    WriteOverview(beach, 4, true);
    const std::vector<std::string> lines = PageLines("gallery.html");
    const std::string table = "<table width=\"100%\" border=\"0\" cellspacing=\"15\" cellpadding=\"0\">";
    const auto at = std::find(lines.begin(), lines.end(), table);
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at - 1), GetParam().line);
    EXPECT_NE(Page("gallery.html").find("Created with Wexbo 10 - <a"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, OverviewInstructionTest,
    testing::Values(InstructionCase{Language::Italian, "Clicca per visualizzare immagine ingrandita.<br>"},
                    InstructionCase{Language::Spanish, "Haga clic para ampliar la Imagen.<br>"},
                    InstructionCase{Language::French, "Cliquez pour agrandir l image.<br>"}));

struct TableCase {
    std::size_t pictures;
    int perRow;
    std::size_t rows;
    std::size_t placeholders;
    const char* width;
};

class OverviewTableTest : public PagesTest, public testing::WithParamInterface<TableCase> {};

TEST_P(OverviewTableTest, OneRowMoreThanFullRowsWithPlaceholders) {
    const TableCase& c = GetParam();
    WriteOverview(Pictures(c.pictures), c.perRow, true);
    const std::string page = Page("gallery.html");
    EXPECT_EQ(Count(page, "<tr>"), c.rows);
    EXPECT_EQ(Count(page, "<td align=\"center\">&nbsp;</td>"), c.placeholders);
    EXPECT_EQ(Count(page, std::string("<td align=\"center\" width=\"") + c.width + "%\">"), c.pictures);
    // The placeholders fill the last row.
    const std::vector<std::string> lines = PageLines("gallery.html");
    const auto lastRow = std::find(lines.rbegin(), lines.rend(), "<tr>").base();
    EXPECT_EQ(static_cast<std::size_t>(std::count(lastRow, lines.end(), "<td align=\"center\">&nbsp;</td>")),
              c.placeholders);
}

INSTANTIATE_TEST_SUITE_P(Rows, OverviewTableTest,
                         testing::Values(TableCase{8, 4, 3, 4, "25"}, TableCase{5, 4, 2, 3, "25"},
                                         TableCase{3, 3, 2, 3, "33"}, TableCase{1, 1, 2, 1, "100"},
                                         TableCase{2, 2, 2, 2, "50"}));

TEST_F(PagesTest, CaptionsOffLeaveCellsAndDetailBodiesWithoutCaptionButNotTheSlideshow) {
    std::vector<PagePicture> pictures = Pictures(2);
    pictures[1].overview = {80, 107};
    WriteOverview(pictures, 4, false);
    WriteSlideshow(pictures);
    const std::string page = Page("gallery.html");
    EXPECT_EQ(Count(page, "alt=\"\" title=\"\" border=\"0\"></a><br>\r\n"), 2u);
    EXPECT_NE(page.find("src=\"b_thumb.jpg\" width=\"80\" height=\"107\""), std::string::npos);
    const std::vector<std::string> detail = PageLines("b.html");
    EXPECT_EQ(detail[2], "<title>Trip &quot;S&uuml;d&quot; Caption 2</title>");  // the head keeps the caption
    EXPECT_NE(std::find(detail.begin(), detail.end(), "<br><br>"), detail.end());
    EXPECT_EQ(Page("b.html").find("Caption 2", Page("b.html").find("<body>")), std::string::npos);
    EXPECT_EQ(Count(Page("slideshow.html"), "<div class=\"captext\">Caption "), 2u);
}

TEST_F(PagesTest, GermanDetailPageLineByLine) {
    setup.language = Language::German;
    WriteOverview(beach, 4, true);
    EXPECT_EQ(
        Page("beach.html"),
        Joined(Concatenated(
            GermanHead(std::string(kTitle) + " " + kCaption, false),
            {kTitle, "</div><br>",
             "<a href=\"beach.html\"><img src=\"previous.gif\" border=\"0\" alt=\"Vorheriges "
             "Bild\"></a>&nbsp;&nbsp;&nbsp;&nbsp;",
             "<a href=\"gallery.html\"><img src=\"home.gif\" border=\"0\" alt=\"Alle "
             "Bilder\"></a>&nbsp;&nbsp;&nbsp;&nbsp;",
             "<a href=\"beach.html\"><img src=\"next.gif\" border=\"0\" alt=\"Nächstes Bild\"></a><br> ",
             "</center>", "<table height=\"75%\" width=\"100%\"><tr><td valign=\"top\">",
             std::string("<div align=\"center\"><a href=\"gallery.html\"><img loading=\"lazy\" "
                         "class=\"fullsca\" src=\"beach.jpg\" alt=\"") +
                 kCaption + "\" title=\"" + kCaption + "\" border=\"0\"></a>",
             std::string("<br>") + kCaption + "<br>", "</div>", "<tr><td></table>", "<hr>", "<center>",
             Footer(), "</center>", "</body>", "</html>"})));
}

TEST_F(PagesTest, EnglishDetailPageHeadAndNavigation) {
    WriteOverview(beach, 4, true);
    const std::vector<std::string> lines = PageLines("beach.html");
    ASSERT_GE(lines.size(), 14u);
    EXPECT_EQ(lines[2], std::string("<title>") + kTitle + " " + kCaption + "</title>");
    EXPECT_EQ(lines[3], std::string("<meta name=\"description\" content=\"") + kTitle + " " + kCaption +
                            " - Page created with Wexbo 10\">");
    EXPECT_EQ(lines[11],
              "<a href=\"beach.html\"><img src=\"previous.gif\" border=\"0\" alt=\"Previous Picture\" "
              "title=\"Previous Picture\"></a>&nbsp;&nbsp;&nbsp;&nbsp;");
    EXPECT_EQ(lines[12],
              "<a href=\"gallery.html\"><img src=\"home.gif\" border=\"0\" alt=\"All Pictures\" "
              "title=\"All Pictures\"></a>&nbsp;&nbsp;&nbsp;&nbsp;");
    EXPECT_EQ(lines[13],
              "<a href=\"beach.html\"><img src=\"next.gif\" border=\"0\" alt=\"Next Picture\" "
              "title=\"Next Picture\"></a><br> ");
}

TEST_F(PagesTest, DetailPagesLinkInARing) {
    WriteOverview(Pictures(3), 4, true);
    auto links = [&](const std::string& page) {
        const std::string text = Page(page);
        const std::size_t previous = text.find("\"><img src=\"previous.gif\"");
        const std::size_t next = text.find("\"><img src=\"next.gif\"");
        return std::pair{
            text.substr(text.rfind("href=\"", previous) + 6, previous - text.rfind("href=\"", previous) - 6),
            text.substr(text.rfind("href=\"", next) + 6, next - text.rfind("href=\"", next) - 6)};
    };
    EXPECT_EQ(links("a.html"), (std::pair<std::string, std::string>{"c.html", "b.html"}));
    EXPECT_EQ(links("b.html"), (std::pair<std::string, std::string>{"a.html", "c.html"}));
    EXPECT_EQ(links("c.html"), (std::pair<std::string, std::string>{"b.html", "a.html"}));
}

TEST_F(PagesTest, GermanSlideshowPageLineByLine) {
    setup.language = Language::German;
    WriteSlideshow(beach);
    EXPECT_EQ(Page("slideshow.html"),
              Joined(Concatenated(
                  GermanHead(kTitle, true),
                  {std::string(kTitle) + "</div>",
                   "<br><a href=\"gallery.html\"><img src=\"gallery.gif\" border=\"0\" alt=\"Start Gallery\" "
                   "title=\"Start Gallery\"></a></center>",
                   "<br><br>",
                   "<div class=\"slideshow-container\">",
                   "<center>",
                   "",
                   "<div class=\"mySlides fade\">",
                   "  <div class=\"numbertext\">1 / 1</div>",
                   "  <img class=\"slideimg\" src=\"beach.jpg\" style=\"width:100%\" alt=\"\">",
                   std::string("  <div class=\"captext\">") + kCaption + "</div>",
                   "</div>",
                   "",
                   "</center>",
                   "</div>",
                   "<br>",
                   "<div style=\"text-align:center\">",
                   "  <span class=\"dot\"></span>",
                   "</div>",
                   "<script language=\"javascript\" type=\"text/javascript\" src=\"slideshow.js\"></script>",
                   "<br>",
                   "<hr>",
                   "<center>",
                   Footer(),
                   "</center>",
                   "</body>",
                   "</html>"})));
}

TEST_F(PagesTest, EnglishSlideshowHeadNamesAProduct) {
    WriteSlideshow(beach);
    const std::vector<std::string> lines = PageLines("slideshow.html");
    EXPECT_EQ(lines[2], std::string("<title>Gallery - ") + kProductNames[0] + " Wexbo 10</title>");
    EXPECT_EQ(lines[3], "<meta name=\"description\" content=\"Created with Wexbo 10\">");
}

TEST_F(PagesTest, SlideshowNumbersEverySlideAndHalvesPortraitPictures) {
    std::vector<PagePicture> pictures = Pictures(12);
    WriteSlideshow(pictures);
    const std::string page = Page("slideshow.html");
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(Count(page, "<div class=\"numbertext\">" + std::to_string(i) + " / 12</div>"), 1u) << i;
    EXPECT_EQ(Count(page, "<span class=\"dot\"></span>"), 12u);
    EXPECT_EQ(Count(page, "\r\n\r\n<div class=\"mySlides fade\">"), 12u);
    EXPECT_EQ(Count(page, "</div>\r\n\r\n"), 12u);
    EXPECT_EQ(Count(page, "src=\"a.jpg\" style=\"width:100%\""), 1u);  // landscape or square
    EXPECT_EQ(Count(page, "src=\"b.jpg\" style=\"width:50%\""), 1u);   // portrait
    EXPECT_EQ(Count(page, "style=\"width:50%\""), 6u);
}

}  // namespace
}  // namespace wexbo
