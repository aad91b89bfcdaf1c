#include "workspace/album_list_editing.h"

#include "album/album_entry.h"
#include "util/strings.h"

namespace wexbo {

void MoveEntry(std::vector<std::string>& entries, std::size_t from, std::size_t to) {
    if (from >= entries.size() || to >= entries.size() || from == to) return;
    std::string moved = std::move(entries[from]);
    entries.erase(entries.begin() + static_cast<long>(from));
    entries.insert(entries.begin() + static_cast<long>(to), std::move(moved));
}

std::string EntryWithEditedCaption(const std::string& entry, const std::string& caption) {
    return Trim(entry.substr(0, entry.find('|'))) + " | " + caption;
}

std::string CleanCaption(const std::string& text) {
    std::string clean;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (CharInText(kCaptionForbiddenCharacters, c)) continue;
        const bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > kCaptionMaxLength) break;
        clean += c;
    }
    return clean;
}

long SelectableIndex(long index, std::size_t count) {
    if (count == 0) return -1;
    if (index < 0 || static_cast<std::size_t>(index) >= count) return static_cast<long>(count) - 1;
    return index;
}

}  // namespace wexbo
