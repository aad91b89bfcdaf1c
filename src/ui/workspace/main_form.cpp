#include "workspace/main_form.h"

#include <QCloseEvent>
#include <QTimer>

#include "app/language_table.h"
#include "app/program_identity.h"
#include "util/message_box.h"

namespace wexbo {

TMainForm::TMainForm(const TWindowsInfo& windowsInfo, const std::string& programFolder, QWidget* parent)
    : QMainWindow(parent), windowsInfo_(windowsInfo) {
    folders_.programFolder = programFolder;
    FormCreate();
}

void TMainForm::FormCreate() {
    folders_.dataFolder = DataFolderFor(windowsInfo_.AppDataFolder);
    LoadProgramSettings();
    folders_.albumRoot = AlbumRootFor(HomeFolder(), ActiveLanguageCode());
    const PreparationResult prepared = PrepareProgramFolders(folders_);
    if (!prepared.ok) preparationError_ = QString::fromStdString(prepared.error);
    setWindowTitle(QString::fromUtf8(kProgramTitle) + " ");
    resize(1024, 700);
    if (!preparationError_.isEmpty()) {
        // Shown once the window is on screen; the window opens either way.
        QTimer::singleShot(0, this, [this] { ShowMessage(this, MessageKind::Error, preparationError_); });
    }
}

void TMainForm::LoadProgramSettings() { settings_ = wexbo::LoadProgramSettings(folders_.programFolder); }

void TMainForm::SaveProgramSettings() {
    std::string error;
    if (!wexbo::SaveProgramSettings(folders_.programFolder, settings_, &error))
        ShowMessage(this, MessageKind::Error, QString::fromStdString(error));
}

void TMainForm::Programmbeenden1Click() { close(); }

void TMainForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    SaveProgramSettings();
    hide();
    if (sourceChosenThisRun_) convertedCopies_.DeleteConvertedCopies(settings_.sourceFolder);
    DeleteLeftovers(folders_.programFolder);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

}  // namespace wexbo
