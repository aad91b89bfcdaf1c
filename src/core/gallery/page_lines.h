// The lines that the heads and tails of every gallery page share.
#pragma once

#include <string>
#include <vector>

#include "app/language.h"

namespace wexbo {

inline constexpr const char* kDoctypeLine = "<!DOCTYPE html>";
// The html start tag with the XHTML namespace, the head start and the character set, on one line.
inline constexpr const char* kHtmlHeadLine =
    "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />";
inline constexpr const char* kStylesheetLine =
    "<link href=\"layout.css\" rel=\"stylesheet\" type=\"text/css\">";
inline constexpr const char* kViewportLine =
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0, user-scalable=yes\">";
inline constexpr const char* kHeadEndLine = "</head>";
inline constexpr const char* kBodyStartLine = "<body>";
inline constexpr const char* kHeaderStartLine = "<center><div class=\"header\">";

// The two lines every page starts with: kDoctypeLine and kHtmlHeadLine.
std::vector<std::string> OpeningLines();

// "<title>" + text + "</title>". The text is plain text (an album title, a caption) and is
// encoded here, so that no "<" in it can end the element early.
std::string TitleLine(const std::string& text);

// The meta description with the plain text encoded, so that a double quote in an album title
// cannot end the attribute.
std::string DescriptionLine(const std::string& text);

// The page header: kHeaderStartLine, then the encoded album title followed by "</div>".
std::vector<std::string> PageHeaderLines(const std::string& albumTitle);

// The footer line: "Erstellt mit " (German) or "Created with " (the other four languages), the
// program title and a link to the picked footer link's page.
std::string FooterLine(Language language, const std::string& anchorText, const std::string& url);

}  // namespace wexbo
