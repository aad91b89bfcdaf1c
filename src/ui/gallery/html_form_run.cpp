// The generator window's run: "1." hands the settings to the generation run on a worker thread
// and shows its progress; the result comes back to the window's thread.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "app/language_table.h"
#include "gallery/butto_webbroser_form.h"
#include "gallery/generation_run.h"
#include "gallery/html_form.h"
#include "gallery/qvb_colors.h"
#include "publish/webbroser_form.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/strings.h"

namespace wexbo {

void THTMLForm::BitBtn1Click() {
    if (Running()) return;
    // The field's number, or the last one it held when it was emptied.
    if (settings_.picturesPerRow > kMaxPicturesPerRow) {
        ShowMessage(this, MessageKind::Information, kTooManyPicturesPerRowMessage);
        return;
    }
    // Modern pages promise readable text: colours that do not give it are said before the run, and
    // kept as the user chose them.
    if (settings_.pageStyle == PageStyle::Modern &&
        !ReadableContrast(settings_.textColor, settings_.bkgColor))
        ShowMessage(this, MessageKind::Information,
                    TextOr(3540,
                           "The text colour on the background colour has a contrast of only %1 to 1; "
                           "below 4.5 to 1 some visitors cannot read the pages. The colours stay as chosen.")
                        .arg(ContrastRatio(settings_.textColor, settings_.bkgColor), 0, 'f', 1));
    if (!WorkFolderReady()) {
        ShowMessage(this, MessageKind::Error, QString::fromStdString(WorkFolderError()));
        return;
    }
    GenerationRequest request;
    request.settings = settings_;
    request.settings.buttons = std::max(chooser_->SelectedIndex(), 0);
    request.settings.outputPath = OutputFolderOf(settings_, windowsInfo_.DocumentsFolder);
    request.settingsFile = opening_.settingsFile;
    request.albumTitle = opening_.albumTitle;
    request.pictures = opening_.pictures;
    request.folders.programFolder = opening_.programFolder;
    request.folders.dataFolder = dataFolder_;
    request.folders.workFolder = workFolder_;
    request.folders.templateFolder = opening_.configFolder;
    request.folders.cacheFolder = opening_.cacheFolder;
    request.convertAll = ConvertAllCheckBox->isChecked();
    request.folders.outputFolder = request.settings.outputPath;
    request.texts = ProgramTexts();
    request.progress = [this](const GenerationProgress& step) {
        const QString text = QString::fromStdString(step.text);
        const int percent = step.percent;
        QMetaObject::invokeMethod(
            this, [this, percent, text] { ShowProgress(percent, text); }, Qt::QueuedConnection);
    };
    cancel_ = false;
    request.cancel = &cancel_;

    SetControlsEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    ShowProgress(0, konvertText_ + QString(" 0/%1").arg(opening_.pictures.size()));
    worker_ = std::make_unique<std::thread>([this, request = std::move(request)] {
        GenerationResult result = RunGeneration(request);
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)] { RunFinished(result); }, Qt::QueuedConnection);
    });
}

void THTMLForm::RunFinished(const GenerationResult& result) {
    worker_->join();
    worker_.reset();
    QApplication::restoreOverrideCursor();
    SetControlsEnabled(true);
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        CloseWindow(QDialog::Rejected);
        return;
    }
    if (result.cancelled) return;
    if (!result.ok) {
        ShowMessage(this, result.refused ? MessageKind::Information : MessageKind::Error,
                    QString::fromStdString(result.error));
        return;
    }
    // The run saved the folder with its trailing separator; the field shows it the same way.
    PathEdit->setText(QString::fromStdString(OutputFolderOf(settings_, windowsInfo_.DocumentsFolder)));
    ShowPreview(result.galleryPage);
}

void THTMLForm::ShowPreview(const std::string& galleryPage) {
    preview_->SetStartPage(QString::fromStdString(galleryPage));
    preview_->SetWindowTitle(windowTitle());
    preview_->SetInfoText(QString::fromStdString(SlideshowNotice(ProgramTexts().GetLanguage())));
    preview_->exec();
}

}  // namespace wexbo
