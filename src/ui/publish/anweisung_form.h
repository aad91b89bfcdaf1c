// How to publish a generated gallery: fixed instructions, the output folder, and buttons that copy
// the folder's path or open it in the file manager.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace wexbo {

class TAnweisungForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnweisungForm(QWidget* parent = nullptr);

    // What the generator does before showing it: the folder, the caption, the copy button active.
    void Prepare(const QString& folder, const QString& caption);

    QLineEdit* Edit1;  // the folder; the user may change it
    QPushButton* CopyBitBtn;
    QPushButton* BitBtn2;  // "Open folder"
    QPushButton* BitBtn3;  // "Close"

    void CopyBitBtnClick();
    void BitBtn2Click();
};

}  // namespace wexbo
