#include "app/desktop_start.h"

#include <unistd.h>

#include <QApplication>

#include "app/language_form.h"
#include "app/language_table.h"
#include "app/program_identity.h"
#include "gallery/html_form.h"
#include "util/message_box.h"
#include "util/windows_info.h"
#include "workspace/main_form.h"

namespace wexbo {

int RunDesktop(int argc, char** argv) {
    // Qt WebEngine's sandbox refuses to start for root.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProgramTitle));
    QApplication::setOrganizationName(QString::fromUtf8(kProgramMaker));

    const TWindowsInfo windowsInfo = TWindowsInfo::FromEnvironment();
    const std::string programFolder = ExecutableFolder();

    {
        TLanguageForm languageForm(QString::fromStdString(programFolder));
        languageForm.Execute();
    }
    for (const std::string& message : OpenLanguageTable(programFolder))
        ShowMessage(nullptr, MessageKind::Error, QString::fromStdString(message));

    TMainForm mainForm(windowsInfo, programFolder);
    // The generator window is made once and opened by the main window's gallery command.
    THTMLForm htmlForm(windowsInfo, mainForm.Folders().dataFolder, &mainForm);
    mainForm.galleryOpener = [&](const std::vector<GalleryPicture>& pictures, const QString& settingsFile) {
        GeneratorOpening opening;
        opening.programFolder = mainForm.Folders().programFolder;
        opening.albumTitle = mainForm.TitleEdit->text().toStdString();
        opening.gradient = true;
        opening.pictures = pictures;
        opening.programTitle = kProgramTitle;
        opening.sidePicture = opening.programFolder + "recom_GR/wizard.jpg";
        opening.settingsFile = settingsFile.toStdString();
        htmlForm.Open(std::move(opening));
    };
    mainForm.PlaceOnScreen();
    return app.exec();
}

}  // namespace wexbo
