#include "app/program_identity.h"
#include "gallery/gallery_names.h"
#include "gallery/gallery_pages.h"
#include "gallery/make.h"
#include "gallery/page_lines.h"
#include "gallery/qvb_convert.h"

namespace wexbo {

void WriteSlideshowTemplates(const PageSetup& setup) {
    PageRandom random = setup.PicksFor("slideshow.html");
    const std::string link = PickFooterLink(random);
    std::vector<std::string> head = OpeningLines();
    if (setup.language == Language::German) {
        head.push_back(TitleLine(setup.albumTitle));
        head.push_back(DescriptionLine(setup.albumTitle + PickDescriptionSuffix(random) + kProgramTitle));
    } else {
        head.push_back(TitleLine("Gallery - " + PickProductName(random) + " " + kProgramTitle));
        head.push_back(DescriptionLine(std::string("Created with ") + kProgramTitle));
    }
    head.insert(head.end(), {kViewportLine, kStylesheetLine, kHeadEndLine, kBodyStartLine});
    for (std::string& line : PageHeaderLines(setup.albumTitle)) head.push_back(std::move(line));
    WriteTextLines(setup.templateFolder + "slideshow.ht1", head);

    WriteTailTemplate(setup, "slideshow.ht2", {"<br>", "<hr>", "<center>"}, link);
}

void WriteSlideshowPage(const PageSetup& setup, const std::vector<PagePicture>& pictures) {
    TMake page(setup.templateFolder + "slideshow", setup.pageFolder + kSlideshowPageName);
    const std::string total = std::to_string(pictures.size());
    page.AddBodyLine(
        "<br><a href=\"gallery.html\"><img src=\"gallery.gif\" border=\"0\" alt=\"Start Gallery\" "
        "title=\"Start Gallery\"></a></center>");
    page.AddBodyLine("<br><br>");
    page.AddBodyLine("<div class=\"slideshow-container\">");
    page.AddBodyLine("<center>");
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const PagePicture& picture = pictures[i];
        page.AddBodyLine("");
        page.AddBodyLine("<div class=\"mySlides fade\">");
        page.AddBodyLine("  <div class=\"numbertext\">" + std::to_string(i + 1) + " / " + total + "</div>");
        page.AddBodyLine(
            "  <img class=\"slideimg\" src=\"" + LinkTarget(FullSizePictureName(picture.webName)) +
            (picture.landscape ? "\" style=\"width:100%\" alt=\"\">" : "\" style=\"width:50%\" alt=\"\">"));
        page.AddBodyLine("  <div class=\"captext\">" + EncodeHtmlText(picture.caption) + "</div>");
        page.AddBodyLine("</div>");
        page.AddBodyLine("");
    }
    for (const char* line : {"</center>", "</div>", "<br>", "<div style=\"text-align:center\">"})
        page.AddBodyLine(line);
    for (std::size_t i = 0; i < pictures.size(); ++i) page.AddBodyLine("  <span class=\"dot\"></span>");
    page.AddBodyLine("</div>");
    page.AddBodyLine(
        "<script language=\"javascript\" type=\"text/javascript\" src=\"slideshow.js\"></script>");
    page.WritePage();
}

}  // namespace wexbo
