#include "app/desktop_start.h"

#include <QApplication>

#include "app/application_start.h"
#include "app/desktop_windows.h"
#include "app/language_form.h"
#include "app/language_table.h"
#include "app/program_identity.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/windows_info.h"

namespace wexbo {

int RunDesktop(int argc, char** argv) {
    const std::unique_ptr<QApplication> app = StartApplication(argc, argv);

    const TWindowsInfo windowsInfo = TWindowsInfo::FromEnvironment();
    const std::string programFolder = ExecutableFolder();

    {
        TLanguageForm languageForm(QString::fromStdString(programFolder));
        languageForm.Execute();
    }
    std::vector<std::string> messages;
    SetProgramTexts(LoadProgramTexts(programFolder, &messages));
    for (const std::string& message : messages)
        ShowMessage(nullptr, MessageKind::Error, QString::fromStdString(message));

    DesktopWindows windows(windowsInfo, programFolder);
    windows.mainForm.PlaceOnScreen();
    return app->exec();
}

}  // namespace wexbo
