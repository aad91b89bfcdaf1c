// The album chooser: lists the albums of the album root for opening or deleting one.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace wexbo {

class AlbumStore;

class TOpenForm : public QDialog {
    Q_OBJECT
public:
    enum Mode { OpenMode = 0, DeleteMode = 1 };

    explicit TOpenForm(const AlbumStore& store, QWidget* parent = nullptr);

    // Shows the chooser modally in the given mode; true when an album was chosen.
    bool ShowChooser(Mode mode);
    // The folder name of the chosen album (kept apart from the shown text).
    const QString& ChosenFolder() const { return chosenFolder_; }
    Mode CurrentMode() const { return mode_; }

    QLabel* DoLabel;
    QListWidget* OpenListBox;
    QPushButton* OpenBitBtn;
    QPushButton* BitBtn2;

    void FormActivate();
    void OpenBitBtnClick();
    void OpenListBoxDblClick();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();

    const AlbumStore& store_;
    Mode mode_ = OpenMode;
    QString chosenFolder_;
};

}  // namespace wexbo
