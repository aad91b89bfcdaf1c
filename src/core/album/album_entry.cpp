#include "album/album_entry.h"

#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

std::string AlbumPicture::ListText() const { return caption ? fileName + " | " + *caption : fileName; }

const std::string& AlbumPicture::CaptionText() const {
    static const std::string none;
    return caption ? *caption : none;
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

}  // namespace wexbo
