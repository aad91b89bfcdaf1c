#include "gallery/butto_webbroser_form.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "util/center_on_screen.h"
#include "util/message_box.h"

namespace wexbo {

TButtoWebbroserForm::TButtoWebbroserForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Select Buttons");
    resize(885, 776);
    CenterOnScreen(this);
    setModal(true);

    auto* top = new QFrame(this);
    top->setFrameShape(QFrame::StyledPanel);
    auto* topLayout = new QHBoxLayout(top);
    Panel2 = new QLabel(" Select Buttons ", top);
    QFont bold = Panel2->font();
    bold.setBold(true);
    bold.setPixelSize(17);
    Panel2->setFont(bold);
    topLayout->addWidget(Panel2);
    topLayout->addWidget(new QLabel("(Scroll down to see all buttons)", top));
    topLayout->addStretch();

    WebBrowser = new QWebEngineView(this);

    Label2 = new QLabel("Choose here the number of the buttons you want to have:", this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setPlaceholderText("-- Number of the buttons --");
    for (int number = 1; number <= kButtonSetCount; ++number) ComboBox1->addItem(QString::number(number));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setMinimumWidth(220);
    BitBtn3 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
    BitBtn3->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(10, 8, 10, 10);
    bottom->addWidget(Label2);
    bottom->addWidget(ComboBox1);
    bottom->addStretch();
    bottom->addWidget(BitBtn3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(WebBrowser, 1);
    layout->addLayout(bottom);

    connect(BitBtn3, &QPushButton::clicked, this, &TButtoWebbroserForm::BitBtn3Click);
}

int TButtoWebbroserForm::SelectedIndex() const { return ComboBox1->currentIndex(); }

void TButtoWebbroserForm::SelectIndex(int index) {
    ComboBox1->setCurrentIndex(index >= 0 && index < kButtonSetCount ? index : 0);
}

void TButtoWebbroserForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TButtoWebbroserForm::FormShow() {
    WebBrowser->setUrl(QUrl::fromLocalFile(QFileInfo(page_).absoluteFilePath()));
    WebBrowser->setFocus();
}

void TButtoWebbroserForm::BitBtn3Click() {
    if (ComboBox1->currentIndex() < 0) {
        ShowMessage(this, MessageKind::Information,
                    "Please choose a number for the buttons in the selection box!");
        return;
    }
    okAccepted_ = true;
    accept();
}

void TButtoWebbroserForm::done(int result) {
    // Until a number has been confirmed with "OK", the window does not let itself be closed.
    if (!FormCloseQuery()) return;
    QDialog::done(result);
}

}  // namespace wexbo
