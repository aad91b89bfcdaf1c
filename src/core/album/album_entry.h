// One picture of an album as the album list holds it, and the line "Pictures.ini" keeps of it.
#pragma once

#include <optional>
#include <string>

namespace wexbo {

struct AlbumPicture {
    std::string fileName;  // within the album folder, no path
    // None for a picture added since the album was opened and never captioned: its line then holds
    // the file name alone.
    std::optional<std::string> caption;
    std::string thumbnailPath;  // full path of the thumbnail the list shows

    // The text the list shows and "Pictures.ini" holds: the file name, then " | " and the caption.
    std::string ListText() const;
    const std::string& CaptionText() const;  // "" when uncaptioned

    bool operator==(const AlbumPicture&) const = default;
};

struct PictureFields {
    std::string fileName;
    std::string caption;
};

// File name and caption of a "Pictures.ini" line: split at "|", runs count as one, trimmed, a
// third field ignored.
PictureFields ParsePictureListLine(const std::string& line);

// The name an album gives its copy of a picture, one the list formats can hold and read back as it
// is: valid UTF-8 (a byte that is not is read as Windows-1252), "|", ">" and control characters
// replaced by "_", and no blanks at either end (the lists trim them).
std::string ListSafeFileName(const std::string& name);

// Captions may not hold the characters that the list formats split at.
inline constexpr const char* kCaptionForbiddenCharacters = "|>";
inline constexpr std::size_t kCaptionMaxLength = 58;

// A caption as the caption fields take it: without the characters the list formats split at and
// at most kCaptionMaxLength characters long (never cut inside a character).
std::string CleanCaption(const std::string& text);

}  // namespace wexbo
