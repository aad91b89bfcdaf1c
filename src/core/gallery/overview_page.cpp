#include "app/program_identity.h"
#include "gallery/gallery_names.h"
#include "gallery/gallery_pages.h"
#include "gallery/make.h"
#include "gallery/page_lines.h"
#include "gallery/qvb_convert.h"
#include "util/strings.h"

namespace wexbo {

namespace {

std::string ClickInstruction(Language language) {
    return ForLanguage(
        language,
        {"Klicken Sie auf die Bilder, um diese in Originalgr&ouml;&szlig;e zu sehen.<br>",
         "Click to view larger Picture.<br>", "Cliquez pour agrandir l image.<br>",
         "Clicca per visualizzare immagine ingrandita.<br>", "Haga clic para ampliar la Imagen.<br>"});
}

}  // namespace

std::vector<std::string> TailTemplateLines(const PageSetup& setup, std::vector<std::string> lines,
                                           const std::string& footerLink) {
    lines.push_back(FooterLine(setup.language, NthWord(1, footerLink, "|"), NthWord(2, footerLink, "|")));
    lines.insert(lines.end(), {"</center>", "</body>", "</html>"});
    return lines;
}

void WriteTailTemplate(const PageSetup& setup, const std::string& name, std::vector<std::string> lines,
                       const std::string& footerLink) {
    WriteTextLines(setup.templateFolder + name, TailTemplateLines(setup, std::move(lines), footerLink));
}

void WriteOverviewTemplates(const PageSetup& setup) {
    PageRandom random = setup.PicksFor("gallery.html");
    const std::string link = PickFooterLink(random);
    const bool german = setup.language == Language::German;
    const std::string& title = setup.albumTitle;
    std::vector<std::string> head = OpeningLines();
    head.push_back(TitleLine(title));
    head.push_back(
        DescriptionLine(title + (german ? PickDescriptionSuffix(random) : " - Made with ") + kProgramTitle));
    head.insert(head.end(), {kStylesheetLine, kViewportLine, kHeadEndLine, kBodyStartLine});
    for (std::string& line : PageHeaderLines(title)) head.push_back(std::move(line));
    head.push_back(german ? "<br><a href=\"slideshow.html\"><img src=\"slideshow.gif\" border=\"0\" "
                            "alt=\"Slideshow starten\"></a> <br><br>"
                          : "<br><a href=\"slideshow.html\"><img src=\"slideshow.gif\" border=\"0\" "
                            "alt=\"Start Slideshow\" title=\"Start Slideshow\"></a> <br><br>");
    head.push_back(ClickInstruction(setup.language));
    head.push_back("<table width=\"100%\" border=\"0\" cellspacing=\"15\" cellpadding=\"0\">");
    WriteTextLines(setup.templateFolder + "gallery.ht1", head);

    WriteTailTemplate(setup, "gallery.ht2", {"</table>", "<hr>"}, link);
}

void WriteOverviewPage(const PageSetup& setup, const std::vector<PagePicture>& pictures, int picturesPerRow,
                       bool captionsVisible) {
    TMake page(setup.templateFolder + "gallery", setup.pageFolder + kOverviewPageName);
    const std::size_t count = pictures.size();
    const std::size_t perRow = picturesPerRow < 1 ? 1 : static_cast<std::size_t>(picturesPerRow);
    const std::string cellWidth = std::to_string(100 / perRow);
    const std::size_t rows = count / perRow + 1;
    for (std::size_t row = 0; row < rows; ++row) {
        page.AddBodyLine("<tr>");
        for (std::size_t i = row * perRow; i < (row + 1) * perRow; ++i) {
            if (i >= count) {
                page.AddBodyLine("<td align=\"center\">&nbsp;</td>");
                continue;
            }
            const PagePicture& picture = pictures[i];
            const std::string caption = captionsVisible ? EncodeHtmlText(picture.caption) : "";
            page.AddBodyLine("<td align=\"center\" width=\"" + cellWidth + "%\">");
            page.AddBodyLine("<a href=\"" + LinkTarget(DetailPageName(picture.webName)) + "\">" +
                             "<img loading=\"lazy\" class=\"sca\" src=\"" +
                             LinkTarget(OverviewPictureName(picture.webName)) + "\" width=\"" +
                             std::to_string(picture.overview.width) + "\" height=\"" +
                             std::to_string(picture.overview.height) + "\" alt=\"" + caption + "\" title=\"" +
                             caption + "\" border=\"0\"></a><br>" + caption);
            page.AddBodyLine("</td>");
        }
        page.AddBodyLine("</tr>");
    }
    page.WritePage();
}

}  // namespace wexbo
