#include "gallery/gallery_settings.h"

#include <climits>

#include "util/files.h"
#include "util/ini_file.h"
#include "util/strings.h"

namespace wexbo {

namespace k = gallery_keys;

namespace {

// A stored number, or the fallback when the value is missing or not a decimal integer.
long long NumberOr(const IniFile& ini, const char* key, long long fallback) {
    return ini.ReadInteger(k::kSection, key, fallback);
}

int WidthOr(const IniFile& ini, const char* key, int fallback) {
    const long long value = NumberOr(ini, key, fallback);
    return value >= 1 && value <= kMaxPictureWidth ? static_cast<int>(value) : fallback;
}

bool IsTrue(const IniFile& ini, const char* key, const char* fallback) {
    return ToUpperAscii(Trim(ini.ReadString(k::kSection, key, fallback))) == "TRUE";
}

std::string WidthFieldText(int width) {
    std::string text = std::to_string(width);
    if (text.size() < kWidthFieldLength) text.append(kWidthFieldLength - text.size(), ' ');
    return text;
}

}  // namespace

GallerySettings ReadGallerySettings(const std::string& file) {
    const IniFile ini(file);
    const GallerySettings defaults;
    GallerySettings s;
    s.smallPicX = WidthOr(ini, k::kSmallPicX, defaults.smallPicX);
    s.largePicX = WidthOr(ini, k::kLargePicX, defaults.largePicX);
    const long long compression = NumberOr(ini, k::kCompression, defaults.compression);
    s.compression = compression >= INT_MIN && compression <= INT_MAX ? static_cast<int>(compression)
                                                                     : defaults.compression;
    // The pictures-per-row field turns 0 into 1; more than 4 is kept for the run to refuse.
    const long long perRow = NumberOr(ini, k::kPicProRow, defaults.picturesPerRow);
    s.picturesPerRow = perRow < 1 ? 1 : perRow > 99 ? 99 : static_cast<int>(perRow);
    s.bkgColor = NumberOr(ini, k::kBkgColor, defaults.bkgColor);
    s.textColor = NumberOr(ini, k::kTextColor, defaults.textColor);
    s.outputPath = Trim(ini.ReadString(k::kSection, k::kOutputPath, defaults.outputPath));
    const long long buttons = NumberOr(ini, k::kButtons, defaults.buttons);
    s.buttons = buttons >= 0 && buttons < kButtonSetCount ? static_cast<int>(buttons) : 0;
    s.textVisible = IsTrue(ini, k::kTextVisible, "");
    s.shapeVisible = IsTrue(ini, k::kShapeVisible, "FALSE");
    s.pageStyle =
        PageStyleFromName(Trim(ini.ReadString(k::kSection, k::kPageStyle, ""))).value_or(PageStyle::Classic);
    return s;
}

const char* PageStyleName(PageStyle style) { return style == PageStyle::Modern ? "Modern" : "Classic"; }

std::optional<PageStyle> PageStyleFromName(std::string_view name) {
    const std::string upper = ToUpperAscii(name);
    if (upper == "CLASSIC") return PageStyle::Classic;
    if (upper == "MODERN") return PageStyle::Modern;
    return std::nullopt;
}

GallerySettings LoadGallerySettings(const std::string& albumSettingsFile,
                                    const std::string& defaultSettingsFile) {
    return ReadGallerySettings(FileExists(albumSettingsFile) ? albumSettingsFile : defaultSettingsFile);
}

bool SaveGallerySettings(const std::string& file, const GallerySettings& s, std::string* error) {
    IniFile ini(file);
    ini.WriteString(k::kSection, k::kSmallPicX, WidthFieldText(s.smallPicX));
    ini.WriteString(k::kSection, k::kLargePicX, WidthFieldText(s.largePicX));
    ini.WriteInteger(k::kSection, k::kCompression, s.compression);
    ini.WriteInteger(k::kSection, k::kPicProRow, s.picturesPerRow);
    ini.WriteInteger(k::kSection, k::kTextColor, s.textColor);
    ini.WriteInteger(k::kSection, k::kBkgColor, s.bkgColor);
    ini.WriteString(k::kSection, k::kOutputPath, AddTrailingBackslash(s.outputPath));
    ini.WriteInteger(k::kSection, k::kButtons, s.buttons);
    ini.WriteBool(k::kSection, k::kTextVisible, s.textVisible);
    ini.WriteBool(k::kSection, k::kShapeVisible, s.shapeVisible);
    const bool stored = ini.ReadString(k::kSection, k::kPageStyle, "\n") != "\n";
    if (s.pageStyle != PageStyle::Classic || stored)
        ini.WriteString(k::kSection, k::kPageStyle, PageStyleName(s.pageStyle));
    std::string why;
    if (ini.Save(&why)) return true;
    if (error) *error = "Cannot save the gallery settings " + file + ": " + why;
    return false;
}

std::string AlbumGallerySettingsFile(const std::string& configFolder, const std::string& albumFolderName) {
    return AddTrailingBackslash(configFolder) + "Gallery_" + albumFolderName + ".ini";
}

std::string DefaultGallerySettingsFile(const std::string& programFolder) {
    return AddTrailingBackslash(programFolder) + "Gallery.ini";
}

std::string DefaultOutputFolder(const std::string& documentsFolder) {
    return AddTrailingBackslash(documentsFolder) + "HTML-Gallery/";
}

std::string OutputFolderOf(const GallerySettings& settings, const std::string& documentsFolder) {
    return settings.outputPath.empty() ? DefaultOutputFolder(documentsFolder)
                                       : AddTrailingBackslash(settings.outputPath);
}

std::string ButtonSetFolderName(int buttonsIndex) {
    const int number = buttonsIndex >= 0 && buttonsIndex < kButtonSetCount ? buttonsIndex + 1 : 1;
    return PadLeft(std::to_string(number), '0', 2);
}

}  // namespace wexbo
