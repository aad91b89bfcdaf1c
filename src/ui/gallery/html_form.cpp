#include "gallery/html_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "app/language_table.h"
#include "gallery/butto_webbroser_form.h"
#include "gallery/qvb_colors.h"
#include "publish/anweisung_form.h"
#include "publish/webbroser_form.h"
#include "util/center_on_screen.h"
#include "util/files.h"
#include "util/folder_browser.h"
#include "util/gradient_background.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/strings.h"

namespace wexbo {

namespace {

// The gradient behind the window runs between these two colour values.
constexpr long long kGradientStart = 0xFFFFFF;
constexpr long long kGradientEnd = 13553358;

// The five preview images, in the order of BuImage1 … BuImage5.
constexpr const char* kPreviewImages[5] = {"gallery.gif", "slideshow.gif", "previous.gif", "home.gif",
                                           "next.gif"};

// The picture along the left edge fills it: scaled to cover, then cut to size from the middle.
const QSize kSidePictureSize(160, 489);

QPixmap SidePicture(const QString& path) {
    QPixmap picture(path);
    if (picture.isNull() || picture.size() == kSidePictureSize) return picture;
    picture = picture.scaled(kSidePictureSize, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return picture.copy((picture.width() - kSidePictureSize.width()) / 2,
                        (picture.height() - kSidePictureSize.height()) / 2, kSidePictureSize.width(),
                        kSidePictureSize.height());
}

QColor ToQColor(long long color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

long long FromQColor(const QColor& color) { return RgbColor(color.red(), color.green(), color.blue()); }

QLabel* WrappingLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLineEdit* MaskEdit(const char* mask, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setInputMask(mask);
    edit->setFixedWidth(52);
    edit->setAlignment(Qt::AlignLeft);
    return edit;
}

// The number a field holds, when its trimmed text is one.
bool FieldNumber(const QLineEdit* edit, int& number) {
    long long value = 0;
    const std::string text = Trim(edit->text().toStdString());
    if (text.empty() || !ParseInt(text, value)) return false;
    number = static_cast<int>(value);
    return true;
}

}  // namespace

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setFixedSize(48, 24);
    setCursor(Qt::PointingHandCursor);
}

void ColorPanel::SetColorValue(long long color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(color));
    setPalette(p);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

THTMLForm::THTMLForm(const TWindowsInfo& windowsInfo, const std::string& dataFolder, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      windowsInfo_(windowsInfo),
      dataFolder_(AddTrailingBackslash(dataFolder)),
      privateFolder_(windowsInfo.TempFolder) {
    setFixedSize(693, 489);
    CenterOnScreen(this);
    setModal(true);
    background_ = new GradientBackground(this);

    Image1 = new QLabel(this);
    Image1->setFixedSize(kSidePictureSize);

    Label16 = new QLabel("Internetseite erzeugen", this);
    QFont heading = Label16->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    Label16->setFont(heading);

    // Basic settings: the three numbers, captions and frames, the output folder.
    GroupBox1 = new QGroupBox("Grundeinstellungen", this);
    PicProRowMaskEdit = MaskEdit("99;_", GroupBox1);
    SmallPicMaskEdit = MaskEdit("9999;_", GroupBox1);
    LargePicMaskEdit = MaskEdit("9999;_", GroupBox1);
    Label5 = WrappingLabel({}, GroupBox1);
    Label1 = WrappingLabel({}, GroupBox1);
    Label2 = WrappingLabel({}, GroupBox1);
    TextCheckBox = new QCheckBox(GroupBox1);
    RahmenCheckBox = new QCheckBox(GroupBox1);
    PathAdvGlowButton = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), {}, GroupBox1);
    PathEdit = new QLineEdit(GroupBox1);
    PathEdit->setReadOnly(true);
    PathEdit->setEnabled(false);  // shows the folder; only the button changes it
    auto* basics = new QGridLayout(GroupBox1);
    basics->setContentsMargins(10, 6, 10, 8);
    basics->setVerticalSpacing(4);
    basics->setColumnStretch(1, 1);
    basics->addWidget(PicProRowMaskEdit, 0, 0);
    basics->addWidget(Label5, 0, 1);
    basics->addWidget(SmallPicMaskEdit, 1, 0);
    basics->addWidget(Label1, 1, 1);
    basics->addWidget(LargePicMaskEdit, 2, 0);
    basics->addWidget(Label2, 2, 1);
    auto* checks = new QHBoxLayout;
    checks->addWidget(TextCheckBox);
    checks->addSpacing(16);
    checks->addWidget(RahmenCheckBox);
    checks->addStretch();
    basics->addLayout(checks, 3, 0, 1, 2);
    auto* path = new QHBoxLayout;
    path->addWidget(PathAdvGlowButton);
    path->addWidget(PathEdit, 1);
    basics->addLayout(path, 4, 0, 1, 2);

    // Colours and the navigation buttons.
    GroupBox2 = new QGroupBox("Farben", this);
    BKGColorButton = new QPushButton(GroupBox2);
    TextcolorButton = new QPushButton(GroupBox2);
    BKGColorPanel = new ColorPanel(GroupBox2);
    TextColorPanel = new ColorPanel(GroupBox2);
    ButtonAdvGlowButton = new QPushButton("Select Buttons", GroupBox2);
    auto* colors = new QGridLayout(GroupBox2);
    colors->setContentsMargins(10, 6, 10, 8);
    colors->setVerticalSpacing(4);
    colors->addWidget(BKGColorButton, 0, 0);
    colors->addWidget(BKGColorPanel, 0, 1);
    colors->addWidget(TextcolorButton, 1, 0);
    colors->addWidget(TextColorPanel, 1, 1);
    colors->setColumnMinimumWidth(2, 24);
    colors->addWidget(ButtonAdvGlowButton, 0, 3, 1, 5);
    for (int i = 0; i < 5; ++i) {
        BuImage[i] = new QLabel(GroupBox2);
        BuImage[i]->setObjectName(QString("BuImage%1").arg(i + 1));
        BuImage[i]->setFixedSize(32, 32);
        BuImage[i]->setScaledContents(true);
        colors->addWidget(BuImage[i], 1, 3 + i);
    }
    colors->setColumnStretch(8, 1);

    KonvertLabel = new QLabel(this);
    KonvertLabel->hide();
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(16);
    ProgressBar1->hide();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), "1.", this);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogInfoView), "2. ", this);
    BitBtn3 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "Close", this);
    for (QPushButton* button : {BitBtn1, BitBtn2, BitBtn3}) button->setMinimumWidth(110);
    // No button answers Enter in a field: it would start a run or a dialog unasked.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    // Unchecked at every opening: a choice for one run, not a setting.
    ConvertAllCheckBox = new QCheckBox(this);
    pageStyleLabel_ = new QLabel(this);
    PageStyleComboBox = new QComboBox(this);
    PageStyleComboBox->addItems({"Classic", "Modern"});  // in PageStyle's order
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(12, 10, 12, 10);
    right->setSpacing(6);
    right->addWidget(Label16);
    right->addWidget(GroupBox1);
    right->addSpacing(6);
    right->addWidget(GroupBox2);
    right->addSpacing(6);
    // The page style shares the row of the one-run choice, so the window keeps its size.
    auto* choices = new QHBoxLayout;
    choices->addWidget(ConvertAllCheckBox);
    choices->addStretch();
    choices->addWidget(pageStyleLabel_);
    choices->addWidget(PageStyleComboBox);
    right->addLayout(choices);
    right->addStretch();
    right->addWidget(KonvertLabel);
    right->addWidget(ProgressBar1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Image1);
    layout->addLayout(right, 1);

    chooser_ = new TButtoWebbroserForm(this);
    preview_ = new TWebbroserForm(this);
    instructions_ = new TAnweisungForm(this);

    connect(PicProRowMaskEdit, &QLineEdit::textChanged, this, &THTMLForm::PicProRowMaskEditChange);
    connect(SmallPicMaskEdit, &QLineEdit::textChanged, this, &THTMLForm::SmallPicMaskEditChange);
    connect(LargePicMaskEdit, &QLineEdit::textChanged, this, &THTMLForm::LargePicMaskEditChange);
    connect(TextCheckBox, &QCheckBox::clicked, this, &THTMLForm::TextCheckBoxClick);
    connect(PageStyleComboBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { settings_.pageStyle = index == 1 ? PageStyle::Modern : PageStyle::Classic; });
    connect(RahmenCheckBox, &QCheckBox::clicked, this, &THTMLForm::RahmenCheckBoxClick);
    connect(BKGColorButton, &QPushButton::clicked, this, &THTMLForm::BKGColorButtonClick);
    connect(BKGColorPanel, &ColorPanel::clicked, this, &THTMLForm::BKGColorButtonClick);
    connect(TextcolorButton, &QPushButton::clicked, this, &THTMLForm::TextcolorButtonClick);
    connect(TextColorPanel, &ColorPanel::clicked, this, &THTMLForm::TextcolorButtonClick);
    connect(PathAdvGlowButton, &QPushButton::clicked, this, &THTMLForm::PathAdvGlowButtonClick);
    connect(PathEdit, &QLineEdit::textChanged, this, &THTMLForm::PathEditChange);
    connect(ButtonAdvGlowButton, &QPushButton::clicked, this, &THTMLForm::ButtonAdvGlowButtonClick);
    connect(BitBtn1, &QPushButton::clicked, this, &THTMLForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &THTMLForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &THTMLForm::BitBtn3Click);
    FormCreate();
}

THTMLForm::~THTMLForm() {
    if (!worker_) return;
    cancel_ = true;
    worker_->join();
    QApplication::restoreOverrideCursor();
}

void THTMLForm::FormCreate() {
    // Sizes are in device-independent pixels: Qt scales the window for the screen's density.
    Label16->setText(TextOr(3500, "Internetseite erzeugen"));
    GroupBox1->setTitle(TextOr(3501, "Grundeinstellungen"));
    Label5->setText(
        TextOr(3502, "Wieviel Bilder sollen pro Zeile angezeigt werden (Die Spaltenzahl ergibt sich)"));
    Label1->setText(
        TextOr(3503, "Breite der Übersichtbilder (die Höhe ergibt sich aus dem Seitenverhältnis)"));
    Label2->setText(
        TextOr(3504, "Breite der Fullsize-Bilder (die Höhe ergibt sich aus dem Seitenverhältnis)"));
    TextCheckBox->setText(TextOr(3505, "Text unter den Bildern sichtbar?"));
    RahmenCheckBox->setText(TextOr(3507, "Rahmen sichtbar?"));
    ConvertAllCheckBox->setText(TextOr(3516, "Alle Bilder neu konvertieren"));
    pageStyleLabel_->setText(TextOr(3537, "Seitenstil"));
    PageStyleComboBox->setItemText(0, TextOr(3538, "Klassisch"));
    PageStyleComboBox->setItemText(1, TextOr(3539, "Modern"));
    GroupBox2->setTitle(TextOr(3508, "Farben"));
    BKGColorButton->setText(TextOr(3509, "Hintergrund Farbe"));
    TextcolorButton->setText(TextOr(3510, "Text Farbe"));
    konvertText_ = TextOr(3511, "Konvertiere Bilder für das Internet:");
    KonvertLabel->setText(konvertText_);
    BitBtn1->setText(TextOr(3512, "1."));
    BitBtn2->setText(TextOr(3513, "2. "));
    BitBtn3->setText(TextOr(3514, "Close"));
    PathAdvGlowButton->setText(TextOr(3515, "Ausgabe Pfad"));
    // Every window has work files of its own: another user, another window or another program's
    // "gallery" folder in the temporary folder is never touched.
    if (!privateFolder_.Path().empty()) workFolder_ = privateFolder_.Path() + "gallery/";
}

void THTMLForm::Prepare(GeneratorOpening opening) {
    opening_ = std::move(opening);
    opening_.programFolder = AddTrailingBackslash(opening_.programFolder);
    opening_.configFolder = AddTrailingBackslash(opening_.configFolder);
    setWindowTitle(QString::fromStdString(opening_.programTitle + " - " + opening_.albumTitle));
}

int THTMLForm::Open(GeneratorOpening opening) {
    Prepare(std::move(opening));
    return exec();
}

void THTMLForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void THTMLForm::FormShow() {
    Image1->setPixmap(SidePicture(QString::fromStdString(opening_.sidePicture)));
    LoadSettings();
    LoadButtonPreviews();
    if (settings_.outputPath.empty())
        settings_.outputPath = DefaultOutputFolder(windowsInfo_.DocumentsFolder);
    PathEdit->setText(QString::fromStdString(settings_.outputPath));
    if (!WorkFolderReady()) ShowMessage(this, MessageKind::Error, QString::fromStdString(WorkFolderError()));
    // Putting the numbers into their fields runs the field checks.
    LargePicMaskEdit->setText(QString::number(settings_.largePicX));
    SmallPicMaskEdit->setText(QString::number(settings_.smallPicX));
    PicProRowMaskEdit->setText(QString::number(settings_.picturesPerRow));
    KonvertLabel->hide();
    ProgressBar1->hide();
    ProgressBar1->setValue(0);
    background_->setVisible(opening_.gradient);
    TintGroupBoxes();
}

void THTMLForm::LoadSettings() {
    settings_ =
        LoadGallerySettings(opening_.settingsFile, DefaultGallerySettingsFile(opening_.programFolder));
    chooser_->SelectIndex(settings_.buttons);
    BKGColorPanel->SetColorValue(settings_.bkgColor);
    TextColorPanel->SetColorValue(settings_.textColor);
    TextCheckBox->setChecked(settings_.textVisible);
    ConvertAllCheckBox->setChecked(false);
    RahmenCheckBox->setChecked(settings_.shapeVisible);
    PageStyleComboBox->setCurrentIndex(settings_.pageStyle == PageStyle::Modern ? 1 : 0);
}

void THTMLForm::LoadButtonPreviews() {
    const std::string setName = ButtonSetFolderName(chooser_->SelectedIndex());
    // The user's copy first; the shipped set stands in for an image missing there.
    const std::string folders[] = {dataFolder_ + "buttons/" + setName + "/",
                                   opening_.programFolder + "buttons/" + setName + "/"};
    for (int i = 0; i < 5; ++i) {
        QPixmap image;
        for (const std::string& folder : folders)
            if (image.load(QString::fromStdString(folder + kPreviewImages[i]))) break;
        BuImage[i]->setPixmap(image);
        BuImage[i]->setToolTip(QString("%1: %2").arg(QString::fromStdString(setName), kPreviewImages[i]));
    }
}

void THTMLForm::TintGroupBoxes() {
    for (QGroupBox* box : {GroupBox1, GroupBox2}) {
        box->setAutoFillBackground(opening_.gradient);
        if (!opening_.gradient) {
            box->setPalette(QPalette());
            continue;
        }
        if (layout()) layout()->activate();
        QPalette p = box->palette();
        p.setColor(QPalette::Window,
                   ToQColor(GradientColorAt(kGradientStart, kGradientEnd, box->y(), height())));
        box->setPalette(p);
    }
}

void THTMLForm::PicProRowMaskEditChange() {
    int number = 0;
    if (!FieldNumber(PicProRowMaskEdit, number)) return;  // an emptied field keeps the last number
    settings_.picturesPerRow = number;
    if (number == 0) PicProRowMaskEdit->setText("1");
}

void THTMLForm::SmallPicMaskEditChange() {
    int number = 0;
    // A width of 0 would make pictures without pixels; it keeps the last width like an empty field.
    if (FieldNumber(SmallPicMaskEdit, number) && number > 0) settings_.smallPicX = number;
}

void THTMLForm::LargePicMaskEditChange() {
    int number = 0;
    if (FieldNumber(LargePicMaskEdit, number) && number > 0) settings_.largePicX = number;
}

void THTMLForm::TextCheckBoxClick() { settings_.textVisible = TextCheckBox->isChecked(); }

void THTMLForm::RahmenCheckBoxClick() { settings_.shapeVisible = RahmenCheckBox->isChecked(); }

bool THTMLForm::PickColor(long long& color) {
    QColorDialog dialog(ToQColor(color), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    color = FromQColor(dialog.selectedColor());
    return true;
}

void THTMLForm::BKGColorButtonClick() {
    if (PickColor(settings_.bkgColor)) BKGColorPanel->SetColorValue(settings_.bkgColor);
}

void THTMLForm::TextcolorButtonClick() {
    if (PickColor(settings_.textColor)) TextColorPanel->SetColorValue(settings_.textColor);
}

void THTMLForm::PathAdvGlowButtonClick() {
    TDirectoryDialog_QVB dialog;
    if (!dialog.Execute(true, false, settings_.outputPath, "")) return;
    if (dialog.ChosenFolder.empty()) return;  // an item without a folder path
    settings_.outputPath = dialog.ChosenFolder;
    PathEdit->setText(QString::fromStdString(dialog.ChosenFolder));
}

void THTMLForm::PathEditChange() { settings_.outputPath = PathEdit->text().toStdString(); }

void THTMLForm::ButtonAdvGlowButtonClick() {
    // The user's copy of the sets; the shipped page when the copy lacks it.
    std::string page = dataFolder_ + "buttons/01/test.html";
    if (!FileExists(page) && FileExists(opening_.programFolder + "buttons/01/test.html"))
        page = opening_.programFolder + "buttons/01/test.html";
    chooser_->SetPage(QString::fromStdString(page));
    chooser_->exec();
    settings_.buttons = chooser_->SelectedIndex();
    LoadButtonPreviews();
}

void THTMLForm::BitBtn2Click() {
    instructions_->Prepare(PathEdit->text(), windowTitle(), QString::fromStdString(opening_.settingsFile));
    instructions_->exec();
}

void THTMLForm::BitBtn3Click() { CloseWindow(QDialog::Rejected); }

void THTMLForm::CloseWindow(int result) {
    if (Running()) {
        // Stop the run between two pictures and close when it has ended.
        cancel_ = true;
        closeAfterRun_ = true;
        return;
    }
    if (!workFolder_.empty()) DeleteFiles(workFolder_ + "*.*");
    QDialog::done(result);
    // The preview and the button chooser hold web views. Once one has been shown, Qt 6.4 flushes
    // this window through the web views' graphics path, and showing this window again crashes
    // (QPlatformBackingStore::rhiFlush). Giving back the native windows when the window closes
    // lets the next opening start with new ones.
    destroy();
}

void THTMLForm::done(int result) { CloseWindow(result); }

bool THTMLForm::WorkFolderReady() {
    if (workFolder_.empty()) return false;
    EnsureFolder(workFolder_);
    return FolderExists(workFolder_);
}

std::string THTMLForm::WorkFolderError() const {
    return workFolder_.empty() ? privateFolder_.Error()
                               : "Cannot create the work folder " + workFolder_ + ".";
}

void THTMLForm::SetControlsEnabled(bool enabled) {
    for (QWidget* widget : std::initializer_list<QWidget*>{GroupBox1, GroupBox2, BitBtn1, BitBtn2})
        widget->setEnabled(enabled);
    PathEdit->setEnabled(false);
}

void THTMLForm::ShowProgress(int percent, const QString& text) {
    KonvertLabel->setText(text);
    KonvertLabel->show();
    ProgressBar1->show();
    ProgressBar1->setValue(percent);
}

}  // namespace wexbo
