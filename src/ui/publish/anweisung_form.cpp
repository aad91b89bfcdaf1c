#include "publish/anweisung_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/program_folders.h"
#include "publish/password_keyring.h"
#include "publish/remote_folder.h"
#include "publish/upload_settings.h"
#include "publish/uploader.h"
#include "util/center_on_screen.h"
#include "util/gradient_background.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/shell_open.h"

namespace wexbo {

namespace {

QLabel* Text(QWidget* parent, const QString& text, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// A folder with an arrow up to a cloud: what the window asks the user to do.
QPixmap UploadPicture() {
    QPixmap picture(96, 112);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill);
    cloud.addEllipse(QRectF(8, 14, 36, 28));
    cloud.addEllipse(QRectF(26, 2, 42, 40));
    cloud.addEllipse(QRectF(54, 14, 34, 28));
    cloud.addRoundedRect(QRectF(20, 26, 58, 18), 8, 8);
    p.fillPath(cloud.simplified(), QColor(120, 170, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 60));
    p.drawPolygon(QPolygonF({QPointF(48, 48), QPointF(62, 64), QPointF(53, 64), QPointF(53, 78),
                             QPointF(43, 78), QPointF(43, 64), QPointF(34, 64)}));
    p.setBrush(QColor(230, 180, 60));
    p.drawRoundedRect(QRectF(18, 82, 26, 10), 3, 3);
    p.drawRoundedRect(QRectF(18, 86, 60, 24), 3, 3);
    return picture;
}

}  // namespace

TAnweisungForm::TAnweisungForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setFixedSize(726, 660);
    CenterOnScreen(this);
    setModal(true);
    new GradientBackground(this);

    auto* panel = new QFrame(this);
    panel->setObjectName("WhitePanel");
    panel->setStyleSheet("#WhitePanel { background: white; border: 1px solid #B4B4B4; }");

    auto* picture = new QLabel(panel);
    picture->setPixmap(UploadPicture());

    Edit1 = new QLineEdit(panel);
    CopyBitBtn = new QPushButton("Copy folder to clipboard", panel);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), "Open folder", panel);
    auto* folderButtons = new QHBoxLayout;
    folderButtons->addWidget(CopyBitBtn);
    folderButtons->addWidget(BitBtn2);
    folderButtons->addStretch();

    auto* texts = new QVBoxLayout;
    texts->setSpacing(10);
    texts->addWidget(Text(panel,
                          "1 ) Upload the complete folder with the created online gallery to your web space. "
                          "Use your FTP for this.",
                          true));
    texts->addSpacing(6);
    texts->addWidget(Text(panel, "Here is the created folder to upload"));
    texts->addWidget(Edit1);
    texts->addLayout(folderButtons);
    texts->addStretch(1);
    texts->addWidget(Text(panel, "2) Link the HTML files from your Internet page:", true));
    texts->addWidget(Text(panel, "gallery.html - For the gallery overview"));
    texts->addWidget(Text(panel, "slideshow.html - For the slideshow"));
    texts->addStretch(2);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(20, 20, 20, 20);
    panelLayout->setSpacing(20);
    panelLayout->addWidget(picture, 0, Qt::AlignTop);
    panelLayout->addLayout(texts, 1);

    // Uploading from here: destination, user, password or key, test, upload, progress and outcome.
    auto* upload = new QFrame(this);
    upload->setObjectName("UploadPanel");
    upload->setStyleSheet("#UploadPanel { background: white; border: 1px solid #B4B4B4; }");
    DestinationEdit = new QLineEdit(upload);
    DestinationEdit->setPlaceholderText("sftp://example.org/~/public_html/gallery/");
    UserEdit = new QLineEdit(upload);
    PasswordEdit = new QLineEdit(upload);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    KeyFileEdit = new QLineEdit(upload);
    KeepPasswordCheckBox = new QCheckBox(TextOr(3536, "Keep the password in the desktop's keyring"), upload);
    KeepPasswordCheckBox->setEnabled(KeyringAvailable());
    auto* keyButton = new QPushButton("…", upload);
    keyButton->setAutoDefault(false);
    keyButton->setFixedWidth(32);
    TestButton = new QPushButton(TextOr(3525, "Test connection"), upload);
    UploadButton = new QPushButton(TextOr(3526, "Upload"), upload);
    CancelButton = new QPushButton(TextOr(3535, "Cancel"), upload);
    for (QPushButton* button : {TestButton, UploadButton, CancelButton}) button->setAutoDefault(false);
    CancelButton->setEnabled(false);
    UploadProgressBar = new QProgressBar(upload);
    UploadProgressBar->setRange(0, 1000);
    UploadProgressBar->setTextVisible(false);
    UploadProgressBar->hide();
    OutcomeLabel = Text(upload, "");
    OutcomeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    OutcomeLabel->setMinimumHeight(2 * OutcomeLabel->fontMetrics().lineSpacing());  // room for a message
    OutcomeLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* fields = new QGridLayout;
    fields->addWidget(
        Text(upload, TextOr(3521, "Destination (sftp://server/folder/, ftps://server/folder/ or a folder)")),
        0, 0, 1, 3);
    fields->addWidget(DestinationEdit, 1, 0, 1, 3);
    fields->addWidget(new QLabel(TextOr(3522, "User"), upload), 2, 0);
    fields->addWidget(UserEdit, 2, 1, 1, 2);
    fields->addWidget(new QLabel(TextOr(3523, "Password"), upload), 3, 0);
    fields->addWidget(PasswordEdit, 3, 1);
    fields->addWidget(KeepPasswordCheckBox, 3, 2);
    fields->addWidget(new QLabel(TextOr(3524, "Key file (empty: the keys of ~/.ssh)"), upload), 4, 0);
    fields->addWidget(KeyFileEdit, 4, 1);
    fields->addWidget(keyButton, 4, 2);
    fields->setColumnStretch(1, 1);
    auto* uploadButtons = new QHBoxLayout;
    uploadButtons->addWidget(TestButton);
    uploadButtons->addWidget(UploadButton);
    uploadButtons->addWidget(CancelButton);
    uploadButtons->addWidget(UploadProgressBar, 1);
    auto* uploadLayout = new QVBoxLayout(upload);
    uploadLayout->setContentsMargins(20, 12, 20, 12);
    uploadLayout->addWidget(Text(upload, TextOr(3520, "Or upload it from here"), true));
    uploadLayout->addLayout(fields);
    uploadLayout->addLayout(uploadButtons);
    uploadLayout->addWidget(OutcomeLabel);

    BitBtn3 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "Close", this);
    BitBtn3->setAutoDefault(false);
    CopyBitBtn->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtn3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(panel, 1);
    layout->addSpacing(8);
    layout->addWidget(upload);
    layout->addLayout(bottom);

    connect(CopyBitBtn, &QPushButton::clicked, this, &TAnweisungForm::CopyBitBtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TAnweisungForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
    connect(TestButton, &QPushButton::clicked, this, &TAnweisungForm::TestButtonClick);
    connect(UploadButton, &QPushButton::clicked, this, &TAnweisungForm::UploadButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TAnweisungForm::CancelButtonClick);
    connect(keyButton, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getOpenFileName(this, TextOr(3524, "Key file"), QDir::homePath() + "/.ssh");
        if (!file.isEmpty()) KeyFileEdit->setText(file);
    });
    recordFolder_ = RunningProgramFolders().dataFolder + "uploads/";
}

TAnweisungForm::~TAnweisungForm() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void TAnweisungForm::Prepare(const QString& folder, const QString& caption, const QString& settingsFile) {
    Edit1->setText(folder);
    setWindowTitle(caption);
    CopyBitBtn->setFocus();
    settingsFile_ = settingsFile;
    const UploadSettings remembered =
        settingsFile.isEmpty() ? UploadSettings{} : ReadUploadSettings(settingsFile.toStdString());
    DestinationEdit->setText(QString::fromStdString(remembered.destination));
    UserEdit->setText(QString::fromStdString(remembered.user));
    KeyFileEdit->setText(QString::fromStdString(remembered.keyFile));
    PasswordEdit->clear();
    const std::string address = AddressWithUser(remembered.destination, remembered.user);
    if (const std::optional<std::string> kept = address.empty() ? std::nullopt : KeptPassword(address)) {
        PasswordEdit->setText(QString::fromStdString(*kept));
        KeepPasswordCheckBox->setChecked(true);
    }
    OutcomeLabel->clear();
    UploadProgressBar->hide();
}

void TAnweisungForm::CopyBitBtnClick() { QApplication::clipboard()->setText(Edit1->text()); }

void TAnweisungForm::BitBtn2Click() {
    OpenWithDesktop(Edit1->text(), this, [this](bool opened) {
        if (!opened) ShowMessage(this, MessageKind::Information, kUnableToStartMessage);
    });
}

namespace {

struct UploadSetup {
    Destination destination;
    Credentials credentials;
};

}  // namespace

bool TAnweisungForm::AskOnWindowThread(const QString& question) {
    bool answer = false;
    QMetaObject::invokeMethod(
        this, [&] { answer = ShowMessage(this, MessageKind::Question, question); },
        Qt::BlockingQueuedConnection);
    return answer;
}

void TAnweisungForm::Start(std::function<QString()> work) {
    if (worker_.joinable()) return;
    cancel_ = false;
    for (QPushButton* button : {TestButton, UploadButton, BitBtn3}) button->setEnabled(false);
    CancelButton->setEnabled(true);
    CancelButton->setFocus();  // the pressed button goes grey; the focus must not jump to the folder field
    OutcomeLabel->clear();
    worker_ = std::thread([this, work = std::move(work)] {
        QString outcome;
        try {
            outcome = work();
        } catch (const std::exception& error) {
            outcome = TextOr(3529, "The upload failed: %1").arg(QString::fromStdString(error.what()));
        }
        QMetaObject::invokeMethod(
            this, [this, outcome] { Finished(outcome); }, Qt::QueuedConnection);
    });
}

void TAnweisungForm::Finished(const QString& outcome) {
    if (worker_.joinable()) worker_.join();
    for (QPushButton* button : {TestButton, UploadButton, BitBtn3}) button->setEnabled(true);
    const bool hadFocus = CancelButton->hasFocus();
    CancelButton->setEnabled(false);
    if (hadFocus) UploadButton->setFocus();
    UploadProgressBar->hide();
    OutcomeLabel->setText(outcome);
}

void TAnweisungForm::TestButtonClick() { StartUpload(false); }
void TAnweisungForm::UploadButtonClick() { StartUpload(true); }

void TAnweisungForm::StartUpload(bool upload) {
    std::string error;
    const std::string address =
        AddressWithUser(DestinationEdit->text().toStdString(), UserEdit->text().toStdString());
    const std::optional<Destination> destination = ParseDestination(address, error);
    if (!destination) {
        OutcomeLabel->setText(TextOr(3529, "The upload failed: %1").arg(QString::fromStdString(error)));
        return;
    }
    Credentials credentials;
    credentials.password = PasswordEdit->text().toStdString();
    credentials.identityFile = KeyFileEdit->text().trimmed().toStdString();
    if (destination->kind == DestinationKind::Ftp) {
        if (!ShowMessage(this, MessageKind::Question,
                         TextOr(3530,
                                "ftp:// sends your password and the pictures readable by anyone on the way. "
                                "Upload anyway?")))
            return;
        credentials.cleartextAccepted = true;
    }
    credentials.acceptUnknownHostKey = [this](const HostKeyQuestion& question) {
        return AskOnWindowThread(
            TextOr(3531,
                   "The server %1 is not known yet. Its key's fingerprint is %2. Do you trust it and go on?")
                .arg(QString::fromStdString(question.host), QString::fromStdString(question.fingerprint)));
    };
    if (!settingsFile_.isEmpty()) {
        UploadSettings remembered{DestinationEdit->text().trimmed().toStdString(),
                                  UserEdit->text().trimmed().toStdString(),
                                  KeyFileEdit->text().trimmed().toStdString()};
        SaveUploadSettings(settingsFile_.toStdString(), remembered);
    }
    UploadRequest request;
    request.galleryFolder = Edit1->text().trimmed().toStdString();
    if (!request.galleryFolder.empty() && request.galleryFolder.back() != '/') request.galleryFolder += '/';
    request.destination = *destination;
    request.recordFolder = recordFolder_;
    request.cancel = &cancel_;
    request.progress = [this](const UploadProgress& step) {
        const int value =
            step.bytesTotal == 0 ? 1000 : static_cast<int>(step.bytesDone * 1000 / step.bytesTotal);
        const QString text =
            TextOr(3532, "Uploading: %1 of %2 files").arg(step.filesDone).arg(step.filesTotal);
        QMetaObject::invokeMethod(
            this,
            [this, value, text] {
                UploadProgressBar->setValue(value);
                OutcomeLabel->setText(text);
            },
            Qt::QueuedConnection);
    };
    if (upload) {
        UploadProgressBar->setValue(0);
        UploadProgressBar->show();
    }
    const bool keep = KeepPasswordCheckBox->isChecked() && !credentials.password.empty();
    Start([this, upload, request, credentials, keep]() -> QString {
        const std::unique_ptr<RemoteFolder> remote = OpenRemoteFolder(request.destination, credentials);
        if (keep) KeepPassword(request.destination.Address(), credentials.password);  // the login worked
        if (!upload) return TextOr(3527, "The connection works: the server accepted the login.");
        const UploadResult result = UploadGallery(request, *remote);
        if (result.cancelled)
            return TextOr(3533, "Cancelled. The files sent so far stay; the next upload sends the rest.");
        if (result.plan.send.empty() && result.plan.remove.empty())
            return TextOr(3534, "Nothing changed since the last upload.");
        return TextOr(3528, "The gallery is on the server: %1 files sent, %2 removed.")
            .arg(result.plan.send.size())
            .arg(result.plan.remove.size());
    });
}

void TAnweisungForm::CancelButtonClick() { cancel_ = true; }

void TAnweisungForm::reject() {
    if (Busy()) return;  // Cancel first: the window stays until the upload has stopped
    QDialog::reject();
}

}  // namespace wexbo
