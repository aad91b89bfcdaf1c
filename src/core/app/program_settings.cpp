#include "app/program_settings.h"

#include "util/ini_file.h"
#include "util/strings.h"

namespace wexbo {

namespace {

constexpr const char* kSection = "SETTINGS";
constexpr const char* kWorkPanelWidths = "WorkPanelWidths";

std::vector<int> ParseWidths(const std::string& text) {
    std::vector<int> widths;
    const std::size_t count = CountWords(text, ",");
    for (std::size_t i = 1; i <= count; ++i) {
        long long width = 0;
        if (!ParseInt(Trim(NthWord(i, text, ",")), width) || width <= 0 || width > 100000) return {};
        widths.push_back(static_cast<int>(width));
    }
    if (widths.size() != kWorkPanelColumns) return {};
    return widths;
}

std::string WidthsText(const std::vector<int>& widths) {
    std::string text;
    for (int width : widths) {
        if (!text.empty()) text += ',';
        text += std::to_string(width);
    }
    return text;
}

}  // namespace

ProgramSettings LoadProgramSettings(const std::string& configFolder) {
    const IniFile file(configFolder + "Generator.ini");
    ProgramSettings settings;
    settings.displayTime = file.ReadString(kSection, "DefaultTime", "");
    settings.sourceFolder = AddTrailingBackslash(file.ReadString(kSection, "SourcePicturesPath", ""));
    if (!settings.sourceFolder.empty() &&
        EqualsIgnoreCase(settings.sourceFolder, AddTrailingBackslash(configFolder)))
        settings.sourceFolder.assign(1, '/');  // not = "/": GCC 12 warns falsely (-Wrestrict) there
    settings.backgroundColor = file.ReadInteger(kSection, "BKGColor", 0);
    settings.textColor = file.ReadInteger(kSection, "TextColor", 0);
    settings.drive = ToUpperAscii(file.ReadString(kSection, "Drive", ""));
    settings.workPanelWidths = ParseWidths(file.ReadString(kSection, kWorkPanelWidths, ""));
    return settings;
}

bool SaveProgramSettings(const std::string& configFolder, const ProgramSettings& settings,
                         std::string* error) {
    IniFile file(configFolder + "Generator.ini");
    file.WriteString(kSection, "DefaultTime", settings.displayTime);
    file.WriteInteger(kSection, "BKGColor", settings.backgroundColor);
    file.WriteInteger(kSection, "TextColor", settings.textColor);
    file.WriteString(kSection, "SourcePicturesPath", settings.sourceFolder);
    file.WriteString(kSection, "Drive", settings.drive);
    if (!settings.workPanelWidths.empty())
        file.WriteString(kSection, kWorkPanelWidths, WidthsText(settings.workPanelWidths));
    return file.Save(error);
}

std::string AlbumRootFor(const std::string& homeFolder, Language language) {
    return AddTrailingBackslash(homeFolder) + (language == Language::German ? "Bildano/" : "Slideshow/");
}

}  // namespace wexbo
