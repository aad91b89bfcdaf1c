#include "workspace/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

#include "album/album_entry.h"
#include "album/new_form.h"
#include "album/open_form.h"
#include "app/language_table.h"
#include "app/program_identity.h"
#include "util/message_box.h"
#include "util/parallel.h"
#include "util/program_texts.h"
#include "workspace/album_list_model.h"
#include "workspace/entry_delegate.h"
#include "workspace/preview_widget.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {

namespace {

// Reordering and caption edits reach the picture list this long after the first of them.
constexpr int kListSaveDelayMs = 1000;
// The smallest work panel that still shows every control of the design.
const QSize kWorkPanelMinimum(900, 400);
// How long the status bar explains a refused character.
constexpr int kRefusalMessageMs = 5000;

// Refuses the characters a caption may not hold, and reports each refusal.
class CaptionValidator : public QValidator {
public:
    CaptionValidator(std::function<void()> refused, QObject* parent)
        : QValidator(parent), refused_(std::move(refused)) {}
    State validate(QString& input, int&) const override {
        for (const char* c = kCaptionForbiddenCharacters; *c; ++c) {
            if (input.contains(QLatin1Char(*c))) {
                refused_();
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    std::function<void()> refused_;
};

QString GalleryCaption() {
    return QString::fromStdString(
        ForLanguage(ProgramTexts().GetLanguage(),
                    {"Onlinegalerie erstellen", "Create Online Gallery", "Créer Galeria en ligne",
                     "Crea Online Galleria", "Crear Galería en línea"}));
}

QToolButton* FlatButton(QWidget* parent, const QString& text, QRect geometry) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    return button;
}

QLabel* HeadingLabel(QWidget* parent, QPoint at) {
    auto* label = new QLabel(parent);
    label->move(at);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(10);
    label->setFont(font);
    label->setStyleSheet("color: navy;");
    return label;
}

}  // namespace

TMainForm::TMainForm(const TWindowsInfo& windowsInfo, const std::string& programFolder, QWidget* parent)
    : QMainWindow(parent), windowsInfo_(windowsInfo) {
    folders_.programFolder = programFolder;
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
    // The controls that follow the panels' edges are placed whenever a panel changes size.
    SelectVariablesPanel->installEventFilter(this);
    BedienPanel->installEventFilter(this);
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

void TMainForm::BuildStartPanel() {
    SelectVariablesPanel = new QWidget(this);
    SelectVariablesPanel->setObjectName("SelectVariablesPanel");
    SelectVariablesPanel->setAttribute(Qt::WA_StyledBackground);
    SelectVariablesPanel->setStyleSheet(
        "#SelectVariablesPanel { background: white; border: 1px solid #a0a0a0; }");
    ProgrammBildImage = new QLabel(SelectVariablesPanel);
    ProgrammBildImage->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QFont big = font();
    big.setPointSize(11);
    BeispielBitBtn = new QPushButton(SelectVariablesPanel);
    NewBitBtn = new QPushButton(SelectVariablesPanel);
    Open1BitBtn = new QPushButton(SelectVariablesPanel);
    Delete1BitBtn = new QPushButton(SelectVariablesPanel);
    int top = 56;
    for (QPushButton* button : {BeispielBitBtn, NewBitBtn, Open1BitBtn, Delete1BitBtn}) {
        button->setGeometry(16, top, 249, 57);
        button->setFont(big);
        top += 72;
    }
    connect(BeispielBitBtn, &QPushButton::clicked, this, &TMainForm::BeispielBitBtnClick);
    connect(NewBitBtn, &QPushButton::clicked, this, &TMainForm::NewBildano1Click);
    connect(Open1BitBtn, &QPushButton::clicked, this, &TMainForm::OpenBildano1Click);
    connect(Delete1BitBtn, &QPushButton::clicked, this, &TMainForm::DeleteBildano1Click);
}

void TMainForm::BuildCommandBar() {
    ControllBar1 = new QWidget(this);
    ControllBar1->setObjectName("ControllBar1");
    ControllBar1->setAttribute(Qt::WA_StyledBackground);
    ControllBar1->setStyleSheet(
        "#ControllBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 #fdfdfd, stop:1 #d8dce4); border-bottom: 1px solid #b0b0b0; }");
    ControllBar1->setFixedHeight(52);
    BefehlToolBar = new QToolBar(ControllBar1);
    BefehlToolBar->setGeometry(11, 2, 590, 22);
    OpenSpeedButton = FlatButton(nullptr, {}, {});
    NewSpeedButton = FlatButton(nullptr, {}, {});
    CreateSpeedButton = FlatButton(nullptr, {}, {});
    for (QToolButton* button : {OpenSpeedButton, NewSpeedButton, CreateSpeedButton}) {
        button->setFixedSize(192, 22);
        BefehlToolBar->addWidget(button);
    }
    connect(OpenSpeedButton, &QToolButton::clicked, this, &TMainForm::OpenBildano1Click);
    connect(NewSpeedButton, &QToolButton::clicked, this, &TMainForm::NewBildano1Click);
    connect(CreateSpeedButton, &QToolButton::clicked, this, &TMainForm::CreateBitBtnClick);

    SymbolToolBar = new QToolBar(ControllBar1);
    SymbolToolBar->setGeometry(11, 28, 136, 22);
    SymbolToolBar->setContentsMargins(0, 0, 0, 0);
    ToolButton1 = FlatButton(nullptr, QString::fromUtf8("⟲"), {});
    ToolButton2 = FlatButton(nullptr, QString::fromUtf8("⟳"), {});
    ToolButton3 = FlatButton(nullptr, QString::fromUtf8("↻"), {});
    ToolButton4 = FlatButton(nullptr, QString::fromUtf8("⇆"), {});
    ToolButton5 = FlatButton(nullptr, QString::fromUtf8("⇅"), {});
    const std::pair<QToolButton*, const char*> symbols[] = {{ToolButton1, "-90"},
                                                            {ToolButton2, "90"},
                                                            {ToolButton3, "180"},
                                                            {ToolButton4, "FlipV"},
                                                            {ToolButton5, "FlipH"}};
    for (const auto& [button, keyword] : symbols) {
        button->setFixedSize(23, 22);
        SymbolToolBar->addWidget(button);
        const std::string word = keyword;
        connect(button, &QToolButton::clicked, this, [this, word] { TransformAlbumPicture(word); });
    }

    ToolBar1 = new QToolBar(ControllBar1);
    ToolBar1->setGeometry(150, 28, 451, 22);
    Panel2 = new QLabel;
    Panel2->setFixedWidth(153);
    Panel2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TextEdit1 = new QLineEdit;
    TextEdit1->setFixedWidth(285);
    ToolBar1->addWidget(Panel2);
    ToolBar1->addWidget(TextEdit1);
    connect(TextEdit1, &QLineEdit::textChanged, this, &TMainForm::TextEdit1Change);
    ControllBar1->hide();
}

void TMainForm::BuildWorkPanel() {
    BedienPanel = new QWidget(this);
    BedienPanel->setObjectName("BedienPanel");
    BedienPanel->setAttribute(Qt::WA_StyledBackground);
    BedienPanel->setStyleSheet(
        "#BedienPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 white, stop:1 rgb(206, 206, 206)); }");
    Label1 = HeadingLabel(BedienPanel, {8, 2});
    Label1->setWordWrap(true);  // two lines rather than running into the album list's heading
    OpenBitBtn = new QPushButton(BedienPanel);
    OpenBitBtn->setGeometry(8, 32, 153, 25);
    connect(OpenBitBtn, &QPushButton::clicked, this, &TMainForm::OpenBitBtnClick);

    FileListBox = new SourceListBox(BedienPanel);
    sourceDelegate_ = new EntryDelegate(150, FileListBox);
    FileListBox->setItemDelegate(sourceDelegate_);
    FileListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(FileListBox, &QListWidget::itemClicked, this, &TMainForm::FileListBoxClick);
    connect(FileListBox, &QListWidget::itemDoubleClicked, this, &TMainForm::FileListBoxDblClick);
    FileListBox->onDragOver = [this] { sourceDrag_ = true; };
    FileListBox->onKeyDown = [this](QKeyEvent* event) { BildanoListBoxKeyDown(event); };

    SpeedButton1 = FlatButton(BedienPanel, ">", {165, 112, 23, 22});
    SpeedButton2 = FlatButton(BedienPanel, ">>", {165, 144, 23, 22});
    SpeedButton3 = FlatButton(BedienPanel, "<", {165, 224, 23, 22});
    SpeedButton4 = FlatButton(BedienPanel, "<<", {165, 256, 23, 22});
    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TMainForm::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMainForm::SpeedButton4Click);
    PicProgressBar = new QProgressBar(BedienPanel);
    PicProgressBar->setOrientation(Qt::Vertical);
    PicProgressBar->setTextVisible(false);
    PicProgressBar->setRange(0, 100);

    BildanoLabel = HeadingLabel(BedienPanel, {192, 8});
    BildanoListBox = new AlbumListBox(BedienPanel);
    albumDelegate_ = new EntryDelegate(70, BildanoListBox);
    BildanoListBox->setItemDelegate(albumDelegate_);
    BildanoListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(BildanoListBox, &QAbstractItemView::clicked, this, &TMainForm::BildanoListBoxClick);
    BildanoListBox->onMouseDown = [this](const QPoint& point) { BildanoListBoxMouseDown(point); };
    BildanoListBox->onDragOver = [this](const QPoint& point, QObject* source, const QMimeData* payload) {
        return BildanoListBoxDragOver(point, source, payload);
    };
    BildanoListBox->onDragDrop = [this](const QPoint& point, QObject* source, const QMimeData* payload) {
        BildanoListBoxDragDrop(point, source, payload);
    };
    BildanoListBox->onEndDrag = [this](const QPoint& point) { BildanoListBoxEndDrag(point); };
    BildanoListBox->onKeyDown = [this](QKeyEvent* event) { BildanoListBoxKeyDown(event); };
    BildanoListBox->onKeyUp = [this](QKeyEvent* event) { BildanoListBoxKeyUp(event); };

    Label5 = HeadingLabel(BedienPanel, {742, 8});
    Panel1 = new QWidget(BedienPanel);
    Panel1->setObjectName("Panel1");
    Panel1->setAttribute(Qt::WA_StyledBackground);
    Panel1->setStyleSheet("#Panel1 { background: #e8e8e8; border: 1px solid #9a9a9a; }");
    LEADImage2 = new PreviewWidget(Panel1);
    LEADImage2->setGeometry(8, 25, 201, 146);
    LEADImage2->hide();

    TextPanel = new QWidget(BedienPanel);
    TextLabel = new QLabel(TextPanel);
    TextLabel->move(3, 1);
    QFont bold = TextLabel->font();
    bold.setBold(true);
    bold.setPointSize(10);
    TextLabel->setFont(bold);
    TextEdit = new QLineEdit(TextPanel);
    TextEdit->setGeometry(3, 18, 206, 22);
    // Captions hold at most kCaptionMaxLength characters and never the characters the list formats
    // split at; a refused character is explained in the status bar.
    auto* captionValidator =
        new CaptionValidator([this] { statusBar()->showMessage(Text(612), kRefusalMessageMs); }, this);
    for (QLineEdit* field : {TextEdit, TextEdit1}) {
        field->setMaxLength(static_cast<int>(kCaptionMaxLength));
        field->setValidator(captionValidator);
    }
    CaptionCountLabel = new QLabel(TextPanel);
    CaptionCountLabel->setGeometry(139, 1, 70, 16);
    CaptionCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CaptionCountLabel->setStyleSheet("color: rgb(96, 96, 96);");
    connect(TextEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        CaptionCountLabel->setText(QString("%1/%2").arg(text.size()).arg(kCaptionMaxLength));
    });
    connect(TextEdit, &QLineEdit::textChanged, this, &TMainForm::TextEditChange);
    SpeedButton6 = FlatButton(TextPanel, QString::fromUtf8("⟲"), {3, 44, 28, 28});
    SpeedButton5 = FlatButton(TextPanel, QString::fromUtf8("⟳"), {33, 44, 28, 28});
    SpeedButton7 = FlatButton(TextPanel, QString::fromUtf8("↻ 180°"), {96, 44, 50, 28});
    SpeedButton9 = FlatButton(TextPanel, QString::fromUtf8("⇆"), {155, 44, 28, 28});
    SpeedButton10 = FlatButton(TextPanel, QString::fromUtf8("⇅"), {185, 44, 28, 28});
    const std::pair<QToolButton*, const char*> transforms[] = {{SpeedButton5, "90"},
                                                               {SpeedButton6, "-90"},
                                                               {SpeedButton7, "180"},
                                                               {SpeedButton9, "FlipV"},
                                                               {SpeedButton10, "FlipH"}};
    for (const auto& [button, keyword] : transforms) {
        const std::string word = keyword;
        connect(button, &QToolButton::clicked, this, [this, word] { TransformAlbumPicture(word); });
    }
    CreateBitBtn = new QPushButton(TextPanel);
    CreateBitBtn->setGeometry(3, 80, 206, 25);
    connect(CreateBitBtn, &QPushButton::clicked, this, &TMainForm::CreateBitBtnClick);
    TitleEdit = new QLineEdit(BedienPanel);
    TitleEdit->hide();
    connect(TitleEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        store_->SetAlbumTitle(text.toStdString());  // TitleEditChange
    });
    // The window never gets smaller than the work panel's controls need, so none is cut off.
    BedienPanel->setMinimumSize(kWorkPanelMinimum);
    BedienPanel->hide();
}

void TMainForm::BuildMenus() {
    Bildano1 = menuBar()->addMenu(QString());
    OpenBildano1 = Bildano1->addAction(QString(), this, &TMainForm::OpenBildano1Click);
    NewBildano1 = Bildano1->addAction(QString(), this, &TMainForm::NewBildano1Click);
    DeleteBildano1 = Bildano1->addAction(QString(), this, &TMainForm::DeleteBildano1Click);
    Bildano1->addSeparator();
    Programmbeenden1 = Bildano1->addAction(QString(), this, &TMainForm::Programmbeenden1Click);
    Onlinegalerieerstellen1 = menuBar()->addAction(QString(), this, &TMainForm::CreateBitBtnClick);
    Hilfe1 = menuBar()->addMenu(QString());
    Info1 = Hilfe1->addAction(QString(), this, &TMainForm::Info1Click);
    // The keys people know from other desktop programs.
    OpenBildano1->setShortcut(Qt::CTRL | Qt::Key_O);
    NewBildano1->setShortcut(Qt::CTRL | Qt::Key_N);
    Onlinegalerieerstellen1->setShortcut(Qt::CTRL | Qt::Key_G);
    Programmbeenden1->setShortcut(Qt::CTRL | Qt::Key_Q);
    Info1->setShortcut(Qt::Key_F1);
}

void TMainForm::SetTexts() {
    BeispielBitBtn->setText(Text(518));
    NewBitBtn->setText(Text(519));
    Open1BitBtn->setText(Text(520));
    Delete1BitBtn->setText(Text(521));
    // The menus' texts carry their Alt keys.
    Bildano1->setTitle(Text(613));
    OpenBildano1->setText(Text(614));
    NewBildano1->setText(Text(615));
    DeleteBildano1->setText(Text(616));
    Programmbeenden1->setText(Text(617));
    Onlinegalerieerstellen1->setText(Text(618));
    Hilfe1->setTitle(Text(619));
    Info1->setText(Text(620));
    OpenSpeedButton->setText(Text(525));
    NewSpeedButton->setText(Text(526));
    CreateBitBtn->setText(GalleryCaption());
    CreateSpeedButton->setText(GalleryCaption());
    OpenBitBtn->setToolTip(Text(589));
    Label1->setText(Text(590));
    OpenBitBtn->setText(Text(591));
    BildanoLabel->setText(Text(592));
    Label5->setText(Text(593));
    TextLabel->setText(Text(596));
    Panel2->setText(Text(596) + "   ");
    SpeedButton6->setToolTip(Text(603));
    SpeedButton5->setToolTip(Text(604));
    SpeedButton7->setToolTip(Text(605));
    SpeedButton9->setToolTip(Text(606));
    SpeedButton10->setToolTip(Text(607));
    SpeedButton1->setToolTip(Text(608));
    SpeedButton2->setToolTip(Text(609));
    SpeedButton3->setToolTip(Text(610));
    SpeedButton4->setToolTip(Text(611));
    ToolButton1->setToolTip(Text(603));
    ToolButton2->setToolTip(Text(604));
    ToolButton3->setToolTip(Text(605));
    ToolButton4->setToolTip(Text(606));
    ToolButton5->setToolTip(Text(607));
    for (QLabel* label : {BildanoLabel, Label5, TextLabel}) label->adjustSize();
    Label1->setGeometry(8, 2, 180, 30);
}

void TMainForm::FormCreate() {
    SetTexts();
    Bildano1->setEnabled(false);
    Onlinegalerieerstellen1->setEnabled(false);
    Hilfe1->setEnabled(false);
    Bildano1->menuAction()->setEnabled(false);
    Hilfe1->menuAction()->setEnabled(false);
    folders_.dataFolder = DataFolderFor(windowsInfo_.AppDataFolder);
    programPicture_ = QPixmap(QString::fromStdString(folders_.programFolder + "recom_GR/program.jpg"));
    LoadProgramSettings();
    folders_.albumRoot = AlbumRootFor(HomeFolder(), ProgramTexts().GetLanguage());
    store_ = std::make_unique<AlbumStore>(folders_.programFolder, folders_.albumRoot);
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
    LayOutWorkPanel();
}

void TMainForm::LoadProgramSettings() { settings_ = wexbo::LoadProgramSettings(folders_.programFolder); }

void TMainForm::SaveProgramSettings() {
    if (store_) settings_.displayTime = store_->DisplayTime();
    std::string error;
    if (!wexbo::SaveProgramSettings(folders_.programFolder, settings_, &error))
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
    DeleteLeftovers(folders_.programFolder);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == SelectVariablesPanel || watched == BedienPanel))
        LayOutWorkPanel();
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

void TMainForm::LayOutWorkPanel() {
    // Controls that follow the panel's edges, as designed for a 976 × 661 window.
    const int w = std::max(BedienPanel->width(), kWorkPanelMinimum.width());
    const int h = std::max(BedienPanel->height(), kWorkPanelMinimum.height());
    const int bottom = h - 8;
    FileListBox->setGeometry(8, 64, 153, bottom - 64);
    PicProgressBar->setGeometry(168, 304, 16, bottom - 304);
    const int right = w - 8;
    BildanoListBox->setGeometry(192, 32, right - 225 - 192 - 14, bottom - 32);
    Label5->move(right - 225 + 3, 8);
    Panel1->setGeometry(right - 225, 28, 217, 197);
    TextPanel->setGeometry(right - 225 + 1, 224, 217, 121);
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
    LayOutWorkPanel();
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
