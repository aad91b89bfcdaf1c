#include "album/open_form.h"

#include <QApplication>

#include "album/album_store.h"
#include "app/language_table.h"
#include "util/message_box.h"
#include "util/program_texts.h"

namespace wexbo {

namespace {}  // namespace

TOpenForm::TOpenForm(const AlbumStore& store, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), store_(store) {
    setFixedSize(278, 365);
    DoLabel = new QLabel(this);
    DoLabel->setGeometry(12, 10, 253, 18);
    QFont bold = DoLabel->font();
    bold.setBold(true);
    DoLabel->setFont(bold);
    OpenListBox = new QListWidget(this);
    OpenListBox->setGeometry(12, 32, 253, 289);
    OpenListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    OpenBitBtn = new QPushButton(this);
    OpenBitBtn->setDefault(
        true);  // Enter in the list opens (or deletes, after the question) the chosen album
    OpenBitBtn->setGeometry(12, 328, 97, 25);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setGeometry(166, 328, 99, 25);
    connect(OpenBitBtn, &QPushButton::clicked, this, &TOpenForm::OpenBitBtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TOpenForm::BitBtn2Click);
    connect(OpenListBox, &QListWidget::itemDoubleClicked, this, &TOpenForm::OpenListBoxDblClick);
    FormCreate();
}

void TOpenForm::FormCreate() {
    setWindowTitle(Text(4202));
    OpenBitBtn->setText(Text(4200));
    BitBtn2->setText(Text(4201));
}

bool TOpenForm::ShowChooser(Mode mode) {
    mode_ = mode;
    chosenFolder_.clear();
    return exec() == QDialog::Accepted;
}

void TOpenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TOpenForm::FormActivate() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DoLabel->setText(Text(mode_ == OpenMode ? 4203 : 4205));
    OpenBitBtn->setText(Text(mode_ == OpenMode ? 4204 : 4206));
    OpenListBox->clear();
    for (const AlbumListing& album : store_.ListAlbums()) {
        auto* item = new QListWidgetItem(QString::fromStdString(album.displayText), OpenListBox);
        item->setData(Qt::UserRole, QString::fromStdString(album.folder));
    }
    // The list has the focus, not a button: the arrow keys choose, Enter opens.
    OpenListBox->setFocus();
    QApplication::restoreOverrideCursor();
}

void TOpenForm::OpenBitBtnClick() {
    QListWidgetItem* item = OpenListBox->currentItem();
    if (!item || !item->isSelected()) {
        ShowMessage(this, MessageKind::Information, Text(10026));
        return;
    }
    chosenFolder_ = item->data(Qt::UserRole).toString();
    accept();
}

void TOpenForm::OpenListBoxDblClick() {
    if (OpenListBox->currentItem()) OpenBitBtnClick();
}

void TOpenForm::BitBtn2Click() { reject(); }

}  // namespace wexbo
