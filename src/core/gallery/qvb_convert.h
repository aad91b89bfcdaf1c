// The HTML text conversion every gallery page relies on: HTML entities for visible text.
#pragma once

#include <string>

namespace wexbo {

// Replaces each character of the entity table by its HTML 4 named entity: ß Ü ü Ä ä Ö ö, the euro
// sign, every character from U+00A1 to U+00FF except ¬ (U+00AC), the soft hyphen (U+00AD), ´
// (U+00B4) and ¶ (U+00B6), then ‰ • ™ and finally the double quote, "<" and ">". Everything else
// passes unchanged; in particular the apostrophe and the no-break space stay as they are, and so
// does "&" unless a letter, a digit or "#" follows it: there it becomes "&amp;", because a browser
// would read "&copy" or "&#38;" in a caption as a character reference and show another text.
// Bytes that are not valid UTF-8 are read as Windows-1252, so the result is always valid UTF-8.
std::string EncodeHtmlText(const std::string& text);

}  // namespace wexbo
