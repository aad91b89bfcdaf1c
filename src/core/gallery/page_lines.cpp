#include "gallery/page_lines.h"

#include "app/language_table.h"
#include "app/program_identity.h"
#include "gallery/qvb_convert.h"

namespace wexbo {

std::vector<std::string> OpeningLines() { return {kDoctypeLine, kHtmlHeadLine}; }

std::string TitleLine(const std::string& text) { return "<title>" + EncodeHtmlText(text) + "</title>"; }

std::string DescriptionLine(const std::string& text) {
    return "<meta name=\"description\" content=\"" + EncodeHtmlText(text) + "\">";
}

std::vector<std::string> PageHeaderLines(const std::string& albumTitle) {
    return {kHeaderStartLine, EncodeHtmlText(albumTitle) + "</div>"};
}

std::string FooterLine(Language language, const std::string& anchorText, const std::string& url) {
    const char* lead = language == Language::German ? "Erstellt mit " : "Created with ";
    return lead + std::string(kProgramTitle) + " - <a href=\"" + url + "\" target=\"_blank\">" + anchorText +
           "</a>";
}

}  // namespace wexbo
