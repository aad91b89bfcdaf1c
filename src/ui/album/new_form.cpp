#include "album/new_form.h"

#include <QKeyEvent>

#include "app/language_table.h"
#include "util/program_texts.h"

namespace wexbo {

namespace {}  // namespace

TNewForm::TNewForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setFixedSize(354, 111);
    Label1 = new QLabel(this);
    Label1->setGeometry(24, 16, 305, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(24, 32, 305, 24);
    BitBtn1 = new QPushButton(this);
    BitBtn1->setGeometry(80, 72, 75, 25);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setGeometry(192, 72, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    // Enter and Escape work the same wherever the focus is.
    for (QWidget* widget :
         {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2)})
        widget->installEventFilter(this);
    FormCreate();
}

void TNewForm::FormCreate() {
    setWindowTitle(Text(1803));
    Label1->setText(Text(1800));
    BitBtn1->setText(Text(1801));
    BitBtn2->setText(Text(1802));
}

bool TNewForm::ShowDialog() {
    Edit1->setFocus();
    return exec() == QDialog::Accepted;
}

bool TNewForm::FormKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
        return true;
    }
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    return false;
}

void TNewForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event->key())) QDialog::keyPressEvent(event);
}

bool TNewForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)->key())) return true;
    return QDialog::eventFilter(watched, event);
}

}  // namespace wexbo
