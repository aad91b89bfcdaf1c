#include "app/desktop_start.h"

#include <QApplication>

#include "app/application_start.h"
#include "app/desktop_windows.h"
#include "app/language_form.h"
#include "app/language_table.h"
#include "app/program_folders.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/windows_info.h"

namespace wexbo {

int RunDesktop(int argc, char** argv) {
    const std::unique_ptr<QApplication> app = StartApplication(argc, argv);

    const TWindowsInfo windowsInfo = TWindowsInfo::FromEnvironment();
    const ProgramFolders folders = RunningProgramFolders();
    // The language question writes the user's settings: their folder is made first.
    if (const std::string error = PrepareConfigFolder(folders); !error.empty())
        ShowMessage(nullptr, MessageKind::Error, QString::fromStdString(error));
    {
        TLanguageForm languageForm(QString::fromStdString(folders.configFolder));
        languageForm.Execute();
    }
    std::vector<std::string> messages;
    SetProgramTexts(LoadProgramTexts(folders.programFolder, folders.configFolder, &messages));
    for (const std::string& message : messages)
        ShowMessage(nullptr, MessageKind::Error, QString::fromStdString(message));

    DesktopWindows windows(windowsInfo, folders);
    windows.mainForm.PlaceOnScreen();
    return app->exec();
}

}  // namespace wexbo
