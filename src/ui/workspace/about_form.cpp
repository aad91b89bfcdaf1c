#include "workspace/about_form.h"

#include <QGridLayout>

#include "app/program_identity.h"
#include "util/shell_open.h"

namespace wexbo {

TAboutForm::TAboutForm(const QString& programFolder, QWidget* parent) : QDialog(parent) {
    const QString title = QString::fromUtf8(kProgramTitle);
    setWindowTitle(title);
    auto* layout = new QGridLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(programFolder + "recom_GR/about.jpg"));
    layout->addWidget(picture, 0, 0, 1, 2);
    ProductLabel = new QLabel(title, this);
    QFont big = ProductLabel->font();
    big.setPointSize(14);
    big.setBold(true);
    ProductLabel->setFont(big);
    layout->addWidget(ProductLabel, 1, 0, 1, 2);
    VersionLabel = new QLabel(
        tr("Version %1").arg(QString::fromStdString(ReadVersion(programFolder.toStdString()))), this);
    layout->addWidget(VersionLabel, 2, 0, 1, 2);
    layout->addWidget(new QLabel(QString::fromUtf8("© ") + QString::fromUtf8(kProgramMaker), this), 3, 0, 1,
                      2);
    WebLabel = new QLabel(QString("<a href=\"%1\">%1</a>").arg(kMakerPage), this);
    connect(WebLabel, &QLabel::linkActivated, this, [](const QString& link) { ShellOpen(link); });
    layout->addWidget(WebLabel, 4, 0, 1, 2);
    UpdateButton = new QPushButton("Update", this);
    OkButton = new QPushButton("OK", this);
    layout->addWidget(UpdateButton, 5, 0);
    layout->addWidget(OkButton, 5, 1);
    connect(UpdateButton, &QPushButton::clicked, this, [] { ShellOpen(kMakerPage); });
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace wexbo
