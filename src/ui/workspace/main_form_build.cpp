// The main window's controls: the start panel, the command bar, the work panel's three columns and
// the menus, with their texts.
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QValidator>

#include "album/album_entry.h"
#include "app/language_table.h"
#include "util/program_texts.h"
#include "workspace/entry_delegate.h"
#include "workspace/main_form.h"
#include "workspace/preview_widget.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {

namespace {

// The smallest work panel that still shows every control of the design.
const QSize kWorkPanelMinimum(900, 400);
// The columns' widths at the first start, and the least each may be given.
constexpr int kSourceColumnWidth = 230;
constexpr int kPictureColumnWidth = 300;
constexpr int kSourceColumnMinimum = 170;
constexpr int kAlbumColumnMinimum = 260;
constexpr int kPictureColumnMinimum = 230;
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

QLabel* HeadingLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(10);
    label->setFont(font);
    label->setStyleSheet("color: navy;");
    return label;
}

}  // namespace

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
    // Three columns the user can widen or narrow: the source list, the album list with the buttons
    // that move pictures between the two, and the picture with its caption and turns.
    WorkSplitter = new QSplitter(Qt::Horizontal, BedienPanel);
    WorkSplitter->setChildrenCollapsible(false);
    auto* panelLayout = new QHBoxLayout(BedienPanel);
    panelLayout->setContentsMargins(8, 4, 8, 8);
    panelLayout->addWidget(WorkSplitter);
    // Widths the user gives the columns are kept for the next start.
    connect(WorkSplitter, &QSplitter::splitterMoved, this, [this] {
        const QList<int> widths = WorkSplitter->sizes();
        settings_.workPanelWidths.assign(widths.begin(), widths.end());
    });
    WorkSplitter->addWidget(BuildSourceColumn());
    WorkSplitter->addWidget(BuildAlbumColumn());
    WorkSplitter->addWidget(BuildPictureColumn());
    // A wider window widens the album list; the other columns keep the width the user gave them.
    WorkSplitter->setStretchFactor(0, 0);
    WorkSplitter->setStretchFactor(1, 1);
    WorkSplitter->setStretchFactor(2, 0);
    WorkSplitter->setSizes({kSourceColumnWidth, kWorkPanelMinimum.width(), kPictureColumnWidth});

    TitleEdit = new QLineEdit(BedienPanel);
    TitleEdit->hide();
    connect(TitleEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        store_->SetAlbumTitle(text.toStdString());  // TitleEditChange
    });
    // The window never gets smaller than the work panel's controls need, so none is cut off.
    BedienPanel->setMinimumSize(kWorkPanelMinimum);
    BedienPanel->hide();
}

QWidget* TMainForm::BuildSourceColumn() {
    auto* column = new QWidget;
    column->setMinimumWidth(kSourceColumnMinimum);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    Label1 = HeadingLabel(column);
    Label1->setWordWrap(true);  // two lines rather than running into the album list's heading
    OpenBitBtn = new QPushButton(column);
    connect(OpenBitBtn, &QPushButton::clicked, this, &TMainForm::OpenBitBtnClick);
    FileListBox = new SourceListBox(column);
    sourceDelegate_ = new EntryDelegate(150, FileListBox);
    FileListBox->setItemDelegate(sourceDelegate_);
    FileListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(FileListBox, &QListWidget::itemClicked, this, &TMainForm::FileListBoxClick);
    connect(FileListBox, &QListWidget::itemDoubleClicked, this, &TMainForm::FileListBoxDblClick);
    FileListBox->onDragOver = [this] { sourceDrag_ = true; };
    FileListBox->onKeyDown = [this](QKeyEvent* event) { BildanoListBoxKeyDown(event); };
    layout->addWidget(Label1);
    layout->addWidget(OpenBitBtn);
    layout->addWidget(FileListBox, 1);
    return column;
}

QWidget* TMainForm::BuildAlbumColumn() {
    auto* column = new QWidget;
    column->setMinimumWidth(kAlbumColumnMinimum);
    auto* layout = new QHBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    // The four add and remove buttons, and under them the progress of long work.
    auto* buttons = new QVBoxLayout;
    SpeedButton1 = FlatButton(column, ">", {});
    SpeedButton2 = FlatButton(column, ">>", {});
    SpeedButton3 = FlatButton(column, "<", {});
    SpeedButton4 = FlatButton(column, "<<", {});
    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TMainForm::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMainForm::SpeedButton4Click);
    PicProgressBar = new QProgressBar(column);
    PicProgressBar->setOrientation(Qt::Vertical);
    PicProgressBar->setTextVisible(false);
    PicProgressBar->setRange(0, 100);
    PicProgressBar->setFixedWidth(16);
    buttons->addSpacing(80);
    for (QToolButton* button : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4}) {
        button->setFixedSize(23, 22);
        buttons->addWidget(button);
        buttons->addSpacing(button == SpeedButton2 ? 58 : 10);
    }
    buttons->addSpacing(16);
    buttons->addWidget(PicProgressBar, 1, Qt::AlignHCenter);
    buttons->addStretch();
    layout->addLayout(buttons);

    auto* list = new QVBoxLayout;
    BildanoLabel = HeadingLabel(column);
    BildanoListBox = new AlbumListBox(column);
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
    list->addWidget(BildanoLabel);
    list->addWidget(BildanoListBox, 1);
    layout->addLayout(list, 1);
    return column;
}

QWidget* TMainForm::BuildPictureColumn() {
    auto* column = new QWidget;
    column->setMinimumWidth(kPictureColumnMinimum);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    Label5 = HeadingLabel(column);
    // The preview takes all the height the caption and turn controls leave.
    Panel1 = new QWidget(column);
    Panel1->setObjectName("Panel1");
    Panel1->setAttribute(Qt::WA_StyledBackground);
    Panel1->setStyleSheet("#Panel1 { background: #e8e8e8; border: 1px solid #9a9a9a; }");
    Panel1->setMinimumHeight(120);
    auto* previewLayout = new QVBoxLayout(Panel1);
    previewLayout->setContentsMargins(8, 8, 8, 8);
    LEADImage2 = new PreviewWidget(Panel1);
    previewLayout->addWidget(LEADImage2);
    LEADImage2->hide();
    layout->addWidget(Label5);
    layout->addWidget(Panel1, 1);
    layout->addWidget(BuildCaptionPanel());
    return column;
}

QWidget* TMainForm::BuildCaptionPanel() {
    TextPanel = new QWidget;
    auto* layout = new QVBoxLayout(TextPanel);
    layout->setContentsMargins(0, 4, 0, 0);
    TextLabel = new QLabel(TextPanel);
    QFont bold = TextLabel->font();
    bold.setBold(true);
    bold.setPointSize(10);
    TextLabel->setFont(bold);
    CaptionCountLabel = new QLabel(TextPanel);
    CaptionCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CaptionCountLabel->setStyleSheet("color: rgb(96, 96, 96);");
    auto* heading = new QHBoxLayout;
    heading->addWidget(TextLabel);
    heading->addStretch();
    heading->addWidget(CaptionCountLabel);
    layout->addLayout(heading);

    TextEdit = new QLineEdit(TextPanel);
    // Captions hold at most kCaptionMaxLength characters and never the characters the list formats
    // split at; a refused character is explained in the status bar.
    auto* captionValidator =
        new CaptionValidator([this] { statusBar()->showMessage(Text(612), kRefusalMessageMs); }, this);
    for (QLineEdit* field : {TextEdit, TextEdit1}) {
        field->setMaxLength(static_cast<int>(kCaptionMaxLength));
        field->setValidator(captionValidator);
    }
    connect(TextEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        CaptionCountLabel->setText(QString("%1/%2").arg(text.size()).arg(kCaptionMaxLength));
    });
    connect(TextEdit, &QLineEdit::textChanged, this, &TMainForm::TextEditChange);
    layout->addWidget(TextEdit);

    auto* turns = new QHBoxLayout;
    SpeedButton6 = FlatButton(TextPanel, QString::fromUtf8("⟲"), {});
    SpeedButton5 = FlatButton(TextPanel, QString::fromUtf8("⟳"), {});
    SpeedButton7 = FlatButton(TextPanel, QString::fromUtf8("↻ 180°"), {});
    SpeedButton9 = FlatButton(TextPanel, QString::fromUtf8("⇆"), {});
    SpeedButton10 = FlatButton(TextPanel, QString::fromUtf8("⇅"), {});
    const std::pair<QToolButton*, const char*> transforms[] = {{SpeedButton6, "-90"},
                                                               {SpeedButton5, "90"},
                                                               {SpeedButton7, "180"},
                                                               {SpeedButton9, "FlipV"},
                                                               {SpeedButton10, "FlipH"}};
    for (const auto& [button, keyword] : transforms) {
        button->setFixedSize(button == SpeedButton7 ? 50 : 28, 28);
        turns->addWidget(button);
        if (button == SpeedButton5 || button == SpeedButton7) turns->addSpacing(12);
        const std::string word = keyword;
        connect(button, &QToolButton::clicked, this, [this, word] { TransformAlbumPicture(word); });
    }
    turns->addStretch();
    layout->addLayout(turns);
    CreateBitBtn = new QPushButton(TextPanel);
    connect(CreateBitBtn, &QPushButton::clicked, this, &TMainForm::CreateBitBtnClick);
    layout->addWidget(CreateBitBtn);
    return TextPanel;
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

}  // namespace wexbo
