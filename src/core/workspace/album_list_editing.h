// Rules of editing the album list: moving entries, captions, selection after an edit.
#pragma once

#include <string>
#include <vector>

namespace wexbo {

// Takes the entry at `from` out and inserts it again so that it stands at `to`; the entries
// between shift by one. Out-of-range indices change nothing.
void MoveEntry(std::vector<std::string>& entries, std::size_t from, std::size_t to);

// The entry with a new caption: its text up to the first "|" (thumbnail and file name), trimmed,
// then " | " and the caption.
std::string EntryWithEditedCaption(const std::string& entry, const std::string& caption);

// A caption as the caption fields take it: without the characters the list formats split at
// ("|" and ">") and at most 58 characters long.
std::string CleanCaption(const std::string& text);

// The entry SelectAlbumEntry selects: `index`, or the last entry for -1 or an index past the end;
// -1 when the list is empty.
long SelectableIndex(long index, std::size_t count);

}  // namespace wexbo
