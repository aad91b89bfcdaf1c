#include "gallery/generator_start.h"

#include <QApplication>
#include <filesystem>

#include "app/application_start.h"
#include "app/language_table.h"
#include "app/program_identity.h"
#include "app/startup.h"
#include "gallery/gallery_settings.h"
#include "gallery/gallery_source.h"
#include "gallery/html_form.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/strings.h"
#include "util/windows_info.h"

namespace wexbo {

int RunGeneratorWindow(int argc, char** argv, const std::string& albumFolder) {
    const std::unique_ptr<QApplication> app = StartApplication(argc, argv);

    const ProgramFolders folders = RunningProgramFolders();
    std::vector<std::string> messages;
    if (std::string error = PrepareConfigFolder(folders); !error.empty()) messages.push_back(error);
    SetProgramTexts(LoadProgramTexts(folders.programFolder, folders.configFolder, &messages));
    for (const std::string& message : messages)
        ShowMessage(nullptr, MessageKind::Error, QString::fromStdString(message));
    const TWindowsInfo info = TWindowsInfo::FromEnvironment();
    EnsureButtonSets(folders.programFolder, folders.dataFolder);

    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(albumFolder, ec).lexically_normal();
    GallerySource source;
    std::string error;
    if (!ReadGallerySource(AddTrailingBackslash(folder.string()), source, error)) {
        ShowMessage(nullptr, MessageKind::Error, QString::fromStdString(error));
        return 1;
    }
    if (source.pictures.empty()) {  // the main window's gallery command refuses an empty album too
        ShowMessage(nullptr, MessageKind::Information, Text(10002));
        return 1;
    }
    // As the main window does it: the settings file carries the album folder's name.
    std::string folderName = folder.filename().string();
    if (folderName.empty()) folderName = folder.parent_path().filename().string();

    GeneratorOpening opening;
    opening.programFolder = folders.programFolder;
    opening.configFolder = folders.configFolder;
    opening.cacheFolder = folders.cacheFolder;
    opening.albumTitle = source.title;
    opening.pictures = std::move(source.pictures);
    opening.programTitle = kProgramTitle;
    opening.sidePicture = folders.programFolder + "recom_GR/wizard.jpg";
    opening.settingsFile = AlbumGallerySettingsFile(folders.configFolder, folderName);
    THTMLForm form(info, folders.dataFolder);
    form.Open(std::move(opening));
    return 0;
}

}  // namespace wexbo
