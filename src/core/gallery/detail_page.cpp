#include <utility>

#include "app/language_table.h"
#include "app/program_identity.h"
#include "gallery/gallery_names.h"
#include "gallery/gallery_pages.h"
#include "gallery/make.h"
#include "gallery/page_lines.h"
#include "gallery/qvb_convert.h"
#include "util/strings.h"

namespace wexbo {

namespace {

constexpr const char* kSpacing = "&nbsp;&nbsp;&nbsp;&nbsp;";

struct TemplatePair {
    std::vector<std::string> head;
    std::vector<std::string> tail;
};

TemplatePair DetailTemplates(const PageSetup& setup, const std::string& pageName,
                             const std::string& caption) {
    PageRandom random = setup.PicksFor(pageName);
    const std::string link = PickFooterLink(random);
    const std::string pageTitle = Trim(setup.albumTitle + " " + caption);
    std::vector<std::string> head = OpeningLines();
    if (setup.language == Language::German) {
        head.push_back(TitleLine(pageTitle));
        head.push_back(DescriptionLine(setup.albumTitle + PickDescriptionSuffix(random) + kProgramTitle));
    } else {
        head.push_back(TitleLine(pageTitle));
        head.push_back(DescriptionLine(pageTitle + " - Page created with " + kProgramTitle));
    }
    head.insert(head.end(), {kStylesheetLine, kViewportLine, kHeadEndLine, kBodyStartLine});
    return {std::move(head), TailTemplateLines(setup, {"<hr>", "<center>"}, link)};
}

// The previous, home and next buttons; German texts carry only alt attributes.
std::vector<std::string> NavigationLines(Language language, const std::string& previousPage,
                                         const std::string& nextPage) {
    const bool german = language == Language::German;
    auto labels = [german](const char* text) {
        return std::string(" alt=\"") + text + "\"" + (german ? "" : std::string(" title=\"") + text + "\"");
    };
    return {"<a href=\"" + LinkTarget(previousPage) + "\"><img src=\"previous.gif\" border=\"0\"" +
                labels(german ? "Vorheriges Bild" : "Previous Picture") + "></a>" + kSpacing,
            std::string("<a href=\"gallery.html\"><img src=\"home.gif\" border=\"0\"") +
                labels(german ? "Alle Bilder" : "All Pictures") + "></a>" + kSpacing,
            "<a href=\"" + LinkTarget(nextPage) + "\"><img src=\"next.gif\" border=\"0\"" +
                labels(german ? "Nächstes Bild" : "Next Picture") + "></a><br> "};
}

}  // namespace

void WriteDetailPage(const PageSetup& setup, const std::vector<PagePicture>& pictures, std::size_t index,
                     bool captionsVisible) {
    const std::size_t count = pictures.size();
    const PagePicture& picture = pictures[index];
    TemplatePair templates = DetailTemplates(setup, DetailPageName(picture.webName), picture.caption);
    if (index + 1 == count) {
        WriteTextLines(setup.templateFolder + "einzel.ht1", templates.head);
        WriteTextLines(setup.templateFolder + "einzel.ht2", templates.tail);
    }
    TMake page(std::move(templates.head), std::move(templates.tail),
               setup.pageFolder + DetailPageName(picture.webName));
    const std::string previous = DetailPageName(pictures[index == 0 ? count - 1 : index - 1].webName);
    const std::string next = DetailPageName(pictures[index + 1 == count ? 0 : index + 1].webName);
    const std::string caption = captionsVisible ? EncodeHtmlText(picture.caption) : "";
    page.AddBodyLine(kHeaderStartLine);
    page.AddBodyLine(EncodeHtmlText(setup.albumTitle));
    page.AddBodyLine("</div><br>");
    for (std::string& line : NavigationLines(setup.language, previous, next))
        page.AddBodyLine(std::move(line));
    page.AddBodyLine("</center>");
    page.AddBodyLine("<table height=\"75%\" width=\"100%\"><tr><td valign=\"top\">");
    page.AddBodyLine(
        "<div align=\"center\"><a href=\"gallery.html\"><img loading=\"lazy\" class=\"fullsca\" src=\"" +
        LinkTarget(FullSizePictureName(picture.webName)) + "\" alt=\"" + caption + "\" title=\"" + caption +
        "\" border=\"0\"></a>");
    page.AddBodyLine("<br>" + caption + "<br>");
    page.AddBodyLine("</div>");
    page.AddBodyLine("<tr><td></table>");
    page.WritePage();
}

void WriteDetailPages(const PageSetup& setup, const std::vector<PagePicture>& pictures,
                      bool captionsVisible) {
    for (std::size_t i = 0; i < pictures.size(); ++i) WriteDetailPage(setup, pictures, i, captionsVisible);
}

}  // namespace wexbo
