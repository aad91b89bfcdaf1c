// The gallery's stylesheet "layout.css": the user's text and background colours, the fonts, the
// slideshow layout and the rules that shrink pictures and text on small screens.
#pragma once

#include <string>
#include <vector>

namespace wexbo {

inline constexpr const char* kStylesheetName = "layout.css";

// The 134 lines of the stylesheet. The text colour stands in the thirteen rules for the body,
// links, table cells and the header, footer and partner classes; the background colour in the
// body rule only. Nothing else varies, so the same colours always give the same file.
std::vector<std::string> StylesheetLines(long long textColor, long long backgroundColor);

// Writes the stylesheet as folder + "layout.css" (folder ends in "/"), replacing any file of that
// name. Throws PageFileError when it cannot be written.
void WriteStylesheet(const std::string& folder, long long textColor, long long backgroundColor);

}  // namespace wexbo
