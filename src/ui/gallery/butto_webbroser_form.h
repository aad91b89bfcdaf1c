// The button set chooser: a page that shows all 28 sets, and a list to pick the number from.
#pragma once

#include <QDialog>
#include <QString>

#include "gallery/gallery_settings.h"  // kButtonSetCount

class QComboBox;
class QLabel;
class QPushButton;
class QWebEngineView;

namespace wexbo {

class TButtoWebbroserForm : public QDialog {
    Q_OBJECT
public:
    explicit TButtoWebbroserForm(QWidget* parent = nullptr);

    // The page to show; set by the caller before showing.
    void SetPage(const QString& path) { page_ = path; }
    const QString& Page() const { return page_; }

    // The chosen set as an index 0 to 27; -1 while none is chosen.
    int SelectedIndex() const;
    // Selects a set; an index outside 0 to 27 selects the first set.
    void SelectIndex(int index);

    QLabel* Panel2;
    QWebEngineView* WebBrowser;
    QLabel* Label2;
    QComboBox* ComboBox1;
    QPushButton* BitBtn3;  // "OK"

    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;  // every way of closing comes here

private:
    void FormShow();
    bool FormCloseQuery() const { return okAccepted_; }

    QString page_;
    bool okAccepted_ = false;  // for the life of the window, as it is made once per run
};

}  // namespace wexbo
