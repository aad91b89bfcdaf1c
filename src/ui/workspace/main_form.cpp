#include "workspace/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "album/new_form.h"
#include "album/open_form.h"
#include "app/language_table.h"
#include "app/program_identity.h"
#include "util/message_box.h"
#include "util/parallel.h"
#include "util/program_texts.h"
#include "workspace/album_list_model.h"
#include "workspace/preview_widget.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {

namespace {
// Reordering and caption edits reach the picture list this long after the first of them.
constexpr int kListSaveDelayMs = 1000;
}  // namespace

TMainForm::TMainForm(const TWindowsInfo& windowsInfo, const ProgramFolders& folders, QWidget* parent)
    : QMainWindow(parent), windowsInfo_(windowsInfo), folders_(folders) {
    resize(976, 661);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    BuildCommandBar();
    layout->addWidget(ControllBar1);
    BuildStartPanel();
    BuildWorkPanel();
    layout->addWidget(SelectVariablesPanel, 1);
    layout->addWidget(BedienPanel, 1);
    // The program's picture follows the start panel's size.
    SelectVariablesPanel->installEventFilter(this);
    BuildMenus();
    statusBar()->setSizeGripEnabled(true);
    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(200);
    Timer2->setSingleShot(true);
    connect(Timer2, &QTimer::timeout, this, &TMainForm::Timer2Timer);
    ListSaveTimer = new QTimer(this);
    ListSaveTimer->setInterval(kListSaveDelayMs);
    ListSaveTimer->setSingleShot(true);
    connect(ListSaveTimer, &QTimer::timeout, this, &TMainForm::SaveEditedList);
    pictureFilePicker = [this](const QString& title, const QString& folder) {
        return QFileDialog::getOpenFileName(this, title, folder,
                                            "Bilder, Pictures (*.jpg *.JPG *.jpeg *.JPEG)");
    };
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    SetTexts();
    Bildano1->setEnabled(false);
    Onlinegalerieerstellen1->setEnabled(false);
    Hilfe1->setEnabled(false);
    Bildano1->menuAction()->setEnabled(false);
    Hilfe1->menuAction()->setEnabled(false);
    programPicture_ = QPixmap(QString::fromStdString(folders_.programFolder + "recom_GR/program.jpg"));
    LoadProgramSettings();
    if (!settings_.workPanelWidths.empty())
        WorkSplitter->setSizes(
            QList<int>(settings_.workPanelWidths.begin(), settings_.workPanelWidths.end()));
    folders_.albumRoot = AlbumRootFor(HomeFolder(), ProgramTexts().GetLanguage());
    store_ = std::make_unique<AlbumStore>(folders_.cacheFolder, folders_.albumRoot);
    // The last album's display time, kept until an album is opened and given to new albums.
    store_->SetDisplayTime(settings_.displayTime);
    store_->SetJobs(DefaultJobCount());
    albumModel_ = new AlbumListModel(*store_, this);
    BildanoListBox->setModel(albumModel_);
    // However the current entry changes (a click, the arrow keys, Home, End, the pages, an edit of
    // the list), it is shown.
    connect(BildanoListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TMainForm::BildanoListBoxCurrentChanged);
    thumbnailReporter_.texts = ProgramTexts();
    thumbnailReporter_.started = [this](const std::string& text, int percent) {
        QMetaObject::invokeMethod(this, [this, text = QString::fromStdString(text), percent] {
            statusBar()->showMessage(text);
            SetProgress(percent);
        });
    };
    thumbnailReporter_.finished = [this](const std::string& text) {
        QMetaObject::invokeMethod(
            this, [this, text = QString::fromStdString(text)] { statusBar()->showMessage(text); });
    };
    store_->SetThumbnailReporter(&thumbnailReporter_);
    PicProgressBar->hide();
    const PreparationResult prepared = PrepareProgramFolders(folders_);
    if (!prepared.ok) preparationError_ = QString::fromStdString(prepared.error);
    setWindowTitle(QString::fromUtf8(kProgramTitle) + " ");
    EnablePictureControls(false);
    OpenForm = new TOpenForm(*store_, this);
    NewForm = new TNewForm(this);
    if (!preparationError_.isEmpty()) {
        // Shown once the window is on screen; the window opens either way.
        QTimer::singleShot(0, this, [this] { ShowMessage(this, MessageKind::Error, preparationError_); });
    }
    LayOutStartPanel();
}

void TMainForm::LoadProgramSettings() { settings_ = wexbo::LoadProgramSettings(folders_.configFolder); }

void TMainForm::SaveProgramSettings() {
    if (store_) settings_.displayTime = store_->DisplayTime();
    std::string error;
    if (!wexbo::SaveProgramSettings(folders_.configFolder, settings_, &error))
        ShowMessage(this, MessageKind::Error, QString::fromStdString(error));
}

void TMainForm::Programmbeenden1Click() { close(); }

void TMainForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    ListSaveTimer->stop();
    ReportStoreMessage(store_->SaveEditedList());
    SaveProgramSettings();
    hide();
    if (sourceChosenThisRun_) convertedCopies_.DeleteConvertedCopies(settings_.sourceFolder);
    DeleteLeftovers(folders_.configFolder);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == SelectVariablesPanel) LayOutStartPanel();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::PlaceOnScreen() {
    // At the screen's top left, its full width and its height less a task bar, then maximised.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(area.left(), area.top(), area.width(), std::max(400, area.height() - 27));
    }
    showMaximized();
}

void TMainForm::LayOutStartPanel() {
    // The program's picture fills the start panel's right side.
    const int pictureWidth = std::clamp(SelectVariablesPanel->width() - 300, 100, 465);
    ProgrammBildImage->setGeometry(SelectVariablesPanel->width() - pictureWidth - 16, 16, pictureWidth,
                                   std::max(100, SelectVariablesPanel->height() - 32));
    if (!programPicture_.isNull())
        ProgrammBildImage->setPixmap(
            programPicture_.scaled(ProgrammBildImage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TMainForm::EnablePictureControls(bool enabled) {
    pictureControlsEnabled_ = enabled;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton9,
                                         SpeedButton10, SymbolToolBar, ToolBar1, TextEdit, TextEdit1})
        widget->setEnabled(enabled);
    TextLabel->setStyleSheet(enabled ? "color: navy;" : "color: rgb(128, 128, 128);");
}

void TMainForm::ShowWorkFace() {
    ControllBar1->show();
    SelectVariablesPanel->hide();
    BedienPanel->show();
    Bildano1->setEnabled(true);
    Bildano1->menuAction()->setEnabled(true);
    Onlinegalerieerstellen1->setEnabled(true);
    Hilfe1->setEnabled(true);
    Hilfe1->menuAction()->setEnabled(true);
    LayOutStartPanel();
    repaint();
}

void TMainForm::UpdateAlbumCaption(bool albumOpen) {
    setWindowTitle(albumOpen ? QString::fromUtf8(kProgramTitle) + " : " +
                                   QString::fromStdString(store_->AlbumTitle())
                             : QString::fromUtf8(kProgramTitle));
}

void TMainForm::UpdateCountLabel() {
    BildanoLabel->setText(QString::fromStdString(store_->CountLabel(ProgramTexts())));
    BildanoLabel->adjustSize();
}

QString TMainForm::StatusText() const { return statusBar()->currentMessage(); }

void TMainForm::SetProgress(int percent) { PicProgressBar->setValue(percent); }

}  // namespace wexbo
