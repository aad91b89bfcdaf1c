// The new-album dialog: asks for the title of a new album.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace wexbo {

class TNewForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewForm(QWidget* parent = nullptr);

    // Shows the dialog modally; true means "create". The title stays for the next showing.
    bool ShowDialog();
    QString Title() const { return Edit1->text(); }

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    bool FormKeyDown(int key);
};

}  // namespace wexbo
