// The preview of a generated gallery: an embedded browser with back, forward and a hand-over of the
// current page to the user's standard browser.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QToolButton;
class QWebEngineView;

namespace wexbo {

class TWebbroserForm : public QDialog {
    Q_OBJECT
public:
    explicit TWebbroserForm(QWidget* parent = nullptr);

    // Set by the caller before showing.
    void SetWindowTitle(const QString& title) { windowTitle_ = title; }
    void SetStartPage(const QString& page) { startPage_ = page; }  // a path or an address
    const QString& StartPage() const { return startPage_; }
    void SetInfoText(const QString& text);

    // The address of the page last loaded (the start page until the first page has loaded).
    const QString& CurrentPage() const { return currentPage_; }
    // True while the current page is a PDF or Word document.
    bool DocumentShown() const { return documentShown_; }

    QLabel* Panel2;             // header caption
    QToolButton* SpeedButton1;  // back
    QToolButton* SpeedButton2;  // forward
    QToolButton* SpeedButton3;  // "Standard Browser (F9)"
    QToolButton* SpeedButton4;  // close (Esc)
    QLabel* SlidshowInfoPanel;  // shown only on the slideshow page
    QWebEngineView* WebBrowser;

    // Each completed navigation of the browser, with the loaded address.
    void WebBrowserNavigateComplete2(const QString& address);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;  // every way of closing comes here

private:
    void FormShow();
    void FormCloseQuery();

    QString windowTitle_;
    QString startPage_;
    QString currentPage_;
    bool documentShown_ = false;
};

}  // namespace wexbo
