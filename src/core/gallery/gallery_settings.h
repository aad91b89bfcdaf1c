// The settings of an online gallery: what the generator window edits and the generation run uses,
// stored per album in the settings folder's "Gallery_" file, with "Gallery.ini" as the template.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wexbo {

// Section and keys of a gallery settings file.
namespace gallery_keys {
inline constexpr const char* kSection = "SETTINGS";
inline constexpr const char* kSmallPicX = "SmallPicX";
inline constexpr const char* kLargePicX = "LargePicX";
inline constexpr const char* kCompression = "Compression";
inline constexpr const char* kPicProRow = "PicProRow";
inline constexpr const char* kBkgColor = "BKGColor";
inline constexpr const char* kTextColor = "TextColor";
inline constexpr const char* kOutputPath = "OutputPath";
inline constexpr const char* kButtons = "Buttons";
inline constexpr const char* kTextVisible = "TextVisible";
inline constexpr const char* kShapeVisible = "ShapeVisible";
inline constexpr const char* kPageStyle = "PageStyle";
}  // namespace gallery_keys

// How the pages look: "Classic" (the pages as they have always been; also when the key is
// missing) or "Modern" (accessible, semantic pages that fit every screen).
enum class PageStyle { Classic, Modern };
const char* PageStyleName(PageStyle style);                         // "Classic", "Modern"
std::optional<PageStyle> PageStyleFromName(std::string_view name);  // any letter case

inline constexpr int kButtonSetCount = 28;
// More pictures per row make the overview page unusable on a phone; the run refuses them.
inline constexpr int kMaxPicturesPerRow = 4;
inline constexpr const char* kTooManyPicturesPerRowMessage =
    "Please do not use more than 4 pictures in a row to ensure a Mobile Friendly web page! "
    "(Mobile Phone Suitability)";
// The width fields take up to four digits; a stored width outside this range gives the default.
inline constexpr int kMaxPictureWidth = 9999;
// How the width fields show a number: digits, then blanks up to this width.
inline constexpr std::size_t kWidthFieldLength = 4;

// The member initialisers are the defaults: a key missing from the file (and a stored number that
// is not a decimal integer) takes them.
struct GallerySettings {
    int picturesPerRow = 4;   // "PicProRow"; 1 or more (a stored 0 reads as 1); the run refuses more than 4
    int smallPicX = 80;       // "SmallPicX": the overview pictures' size, 1 to 9999
    int largePicX = 450;      // "LargePicX": the full-size pictures' size, 1 to 9999
    int compression = 80;     // "Compression": kept in the file, used by nothing
    long long textColor = 0;  // "TextColor": 0x00BBGGRR
    long long bkgColor = 16777215;  // "BKGColor": 0x00BBGGRR, white
    std::string outputPath;         // "OutputPath": "" means DefaultOutputFolder
    int buttons = 0;                // "Buttons": index 0 to 27 of the button sets (set number = index + 1)
    bool textVisible = false;       // "TextVisible": captions under the pictures
    bool shapeVisible = false;      // "ShapeVisible": a 3-D frame drawn into the pictures
    PageStyle pageStyle = PageStyle::Classic;  // "PageStyle": unknown values read as Classic

    bool operator==(const GallerySettings&) const = default;
};

// Reads one settings file; a missing file or key, or a stored number that is not a decimal
// integer, gives the default. A "Buttons" value outside 0 to 27 selects the first set, so a
// gallery never points at button images that were not copied.
GallerySettings ReadGallerySettings(const std::string& file);

// The album's settings: its own file when it exists, otherwise the default settings file.
GallerySettings LoadGallerySettings(const std::string& albumSettingsFile,
                                    const std::string& defaultSettingsFile);

// Writes all ten keys to the file (creating it, keeping anything else in it), and "PageStyle" when
// it is Modern or the file holds the key already, so a classic album's file stays as it was: the widths as
// the fields show them (digits then blanks to four characters), the other numbers in decimal, "OutputPath"
// with a trailing "/", booleans as "TRUE"/"FALSE". False, with `error` naming the file, when it cannot be
// written.
bool SaveGallerySettings(const std::string& file, const GallerySettings& settings,
                         std::string* error = nullptr);

// configFolder + "Gallery_" + album folder name + ".ini".
std::string AlbumGallerySettingsFile(const std::string& configFolder, const std::string& albumFolderName);
// programFolder + "Gallery.ini", shipped with the program and never written.
std::string DefaultGallerySettingsFile(const std::string& programFolder);

// The output folder used when the settings name none: the documents folder + "HTML-Gallery/".
std::string DefaultOutputFolder(const std::string& documentsFolder);
// The settings' output folder with a trailing "/", or the default when it is empty.
std::string OutputFolderOf(const GallerySettings& settings, const std::string& documentsFolder);

// The button set folder name of a set index: "01" to "28" (an index outside 0 to 27 gives "01").
std::string ButtonSetFolderName(int buttonsIndex);

}  // namespace wexbo
