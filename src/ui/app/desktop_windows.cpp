#include "app/desktop_windows.h"

#include "app/program_identity.h"

namespace wexbo {

DesktopWindows::DesktopWindows(const TWindowsInfo& windowsInfo, const ProgramFolders& folders)
    : mainForm(windowsInfo, folders), htmlForm(windowsInfo, folders.dataFolder, &mainForm) {
    mainForm.galleryOpener = [this](const std::vector<GalleryPicture>& pictures,
                                    const QString& settingsFile) {
        GeneratorOpening opening;
        opening.programFolder = mainForm.Folders().programFolder;
        opening.configFolder = mainForm.Folders().configFolder;
        opening.cacheFolder = mainForm.Folders().cacheFolder;
        opening.albumTitle = mainForm.TitleEdit->text().toStdString();
        opening.gradient = true;
        opening.pictures = pictures;
        opening.programTitle = kProgramTitle;
        opening.sidePicture = opening.programFolder + "recom_GR/wizard.jpg";
        opening.settingsFile = settingsFile.toStdString();
        htmlForm.Open(std::move(opening));
    };
}

}  // namespace wexbo
