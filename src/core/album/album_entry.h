// The album list entry, the picture list line and the chooser entry: the text forms an album
// takes in the windows and in "Pictures.ini".
#pragma once

#include <optional>
#include <string>

namespace wexbo {

struct PictureFields {
    std::string fileName;
    std::string caption;
};

// `<IMG src="file://` + thumbnail path + `" align="top">` + file name [+ " | " + caption].
std::string MakeAlbumEntry(const std::string& thumbnailPath, const std::string& fileName,
                           const std::optional<std::string>& caption);

// The text after the entry's first ">" up to the next ">": the file name, or file name " | " caption.
std::string EntryListText(const std::string& entry);

// File name and caption of an album list entry (both trimmed).
PictureFields ParseAlbumEntry(const std::string& entry);

// The thumbnail path named in the entry's `src` ("" when there is none).
std::string EntryThumbnailPath(const std::string& entry);

// The same entry with another caption (the thumbnail and file name kept).
std::string WithCaption(const std::string& entry, const std::string& caption);

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

}  // namespace wexbo
