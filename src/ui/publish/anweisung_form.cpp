#include "publish/anweisung_form.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "util/center_on_screen.h"
#include "util/gradient_background.h"
#include "util/message_box.h"
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
    setFixedSize(726, 509);
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
    layout->addLayout(bottom);

    connect(CopyBitBtn, &QPushButton::clicked, this, &TAnweisungForm::CopyBitBtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TAnweisungForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TAnweisungForm::Prepare(const QString& folder, const QString& caption) {
    Edit1->setText(folder);
    setWindowTitle(caption);
    CopyBitBtn->setFocus();
}

void TAnweisungForm::CopyBitBtnClick() { QApplication::clipboard()->setText(Edit1->text()); }

void TAnweisungForm::BitBtn2Click() {
    OpenWithDesktop(Edit1->text(), this, [this](bool opened) {
        if (!opened) ShowMessage(this, MessageKind::Information, kUnableToStartMessage);
    });
}

}  // namespace wexbo
