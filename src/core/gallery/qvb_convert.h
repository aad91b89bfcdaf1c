// The text conversions every gallery page relies on: HTML entities for visible text, repair of
// names that went through a wrong decoding, and the web-safe names of pages and pictures.
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

// Turns two-character sequences that come from reading UTF-8 (or another multi-byte encoding) as
// Windows-1252 back into the single letter they stood for ("MÃ¼ller" becomes "Müller"); the euro
// sign and its broken UTF-8 form become the four letters "Euro". The rows apply one after the
// other over the whole text. Bytes that are not valid UTF-8 are read as Windows-1252 first.
std::string RepairMisencodedText(const std::string& text);

// The lower-case, web-safe name formed from a file name without extension (or from a whole path,
// for the source thumbnail cache): repaired as above, blanks, punctuation and a few accented
// vowels become "_", "&" becomes "a", path and markup characters become "x", German umlauts and ß
// are written out ("ä" gives "ae") and A to Z are lower-cased; other letters such as "ë" stay.
// Any input bytes give valid UTF-8. Names that differ only in these respects share a web name.
std::string WebFileName(const std::string& path);

}  // namespace wexbo
