// Repair of names that went through a wrong decoding, and the web-safe names of pages and pictures
// made from them (the gallery's file names and the source thumbnail cache's).
#pragma once

#include <string>

namespace wexbo {

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
