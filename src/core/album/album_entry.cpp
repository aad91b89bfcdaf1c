#include "album/album_entry.h"

#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

namespace {
constexpr std::string_view kEntryStart = "<IMG src=\"file://";
constexpr std::string_view kEntryMiddle = "\" align=\"top\">";
}  // namespace

std::string MakeAlbumEntry(const std::string& thumbnailPath, const std::string& fileName,
                           const std::optional<std::string>& caption) {
    std::string entry = std::string(kEntryStart) + thumbnailPath + std::string(kEntryMiddle) + fileName;
    if (caption) entry += " | " + *caption;
    return entry;
}

std::string EntryListText(const std::string& entry) { return NthWord(2, entry, ">"); }

PictureFields ParseAlbumEntry(const std::string& entry) { return ParsePictureListLine(EntryListText(entry)); }

std::string EntryThumbnailPath(const std::string& entry) {
    if (entry.rfind(kEntryStart, 0) != 0) return {};
    const std::size_t end = entry.find('"', kEntryStart.size());
    if (end == std::string::npos) return {};
    return entry.substr(kEntryStart.size(), end - kEntryStart.size());
}

std::string WithCaption(const std::string& entry, const std::string& caption) {
    const PictureFields fields = ParseAlbumEntry(entry);
    return MakeAlbumEntry(EntryThumbnailPath(entry), fields.fileName, caption);
}

PictureFields ParsePictureListLine(const std::string& line) {
    return {Trim(NthWord(1, line, "|")), Trim(NthWord(2, line, "|"))};
}

std::string ListSafeFileName(const std::string& name) {
    std::u32string characters = DecodeCharacters(name);
    for (char32_t& c : characters)
        if (c == U'|' || c == U'>' || c < 0x20 || c == 0x7F) c = U'_';
    if (!characters.empty() && characters.front() == U' ') characters.front() = U'_';
    if (!characters.empty() && characters.back() == U' ') characters.back() = U'_';
    std::string out;
    for (char32_t c : characters) AppendUtf8(out, c);
    return out;
}

}  // namespace wexbo
