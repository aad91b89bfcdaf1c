#include "publish/webbroser_form.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include "app/language_table.h"
#include "util/center_on_screen.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/shell_open.h"

namespace wexbo {

namespace {

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QToolButton* HeaderButton(QWidget* parent, const QString& text) {
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);  // keys stay with the page
    return button;
}

// The start page may be a path or already an address.
QUrl PageUrl(const QString& page) {
    const QUrl url(page);
    if (url.scheme().size() > 1) return url;
    return QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath());
}

}  // namespace

TWebbroserForm::TWebbroserForm(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setMinimumSize(950, 700);
    resize(1010, 740);
    CenterOnScreen(this);

    auto* header = new QFrame(this);
    header->setObjectName("Panel2");
    header->setFixedHeight(41);
    header->setFrameShape(QFrame::StyledPanel);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(6, 2, 6, 2);
    Panel2 = new QLabel(" " + Text(1504), header);
    QFont captionFont = Panel2->font();
    captionFont.setPixelSize(19);
    captionFont.setBold(true);
    Panel2->setFont(captionFont);
    SpeedButton1 = HeaderButton(header, {});
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    SpeedButton1->setIconSize(QSize(22, 22));
    SpeedButton1->setToolTip("Back");
    SpeedButton2 = HeaderButton(header, {});
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    SpeedButton2->setIconSize(QSize(22, 22));
    SpeedButton2->setToolTip("Forward");
    SpeedButton3 = HeaderButton(header, "Standard Browser (F9)");
    SpeedButton4 = HeaderButton(header, Text(3514) + " (Esc)");
    headerLayout->addWidget(Panel2);
    headerLayout->addStretch();
    headerLayout->addWidget(SpeedButton1);
    headerLayout->addWidget(SpeedButton2);
    headerLayout->addWidget(Separator(header));
    headerLayout->addWidget(SpeedButton3);
    headerLayout->addWidget(Separator(header));
    headerLayout->addWidget(SpeedButton4);

    SlidshowInfoPanel = new QLabel(this);
    SlidshowInfoPanel->setObjectName("SlidshowInfoPanel");
    SlidshowInfoPanel->setFixedHeight(25);
    SlidshowInfoPanel->setAlignment(Qt::AlignCenter);
    SlidshowInfoPanel->setStyleSheet("background-color: #FF0000; color: white; font-weight: bold;");
    SlidshowInfoPanel->hide();

    WebBrowser = new QWebEngineView(this);

    auto* bottomPanel = new QFrame(this);
    bottomPanel->setFixedHeight(4);
    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(SlidshowInfoPanel);
    layout->addWidget(WebBrowser, 1);
    layout->addWidget(bottomPanel);
    layout->addWidget(statusBar);

    connect(SpeedButton1, &QToolButton::clicked, this, &TWebbroserForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TWebbroserForm::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TWebbroserForm::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TWebbroserForm::SpeedButton4Click);
    connect(new QShortcut(Qt::Key_F9, this), &QShortcut::activated, this, &TWebbroserForm::SpeedButton3Click);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            &TWebbroserForm::SpeedButton4Click);
    // The address is known once a navigation has committed, as with a completed navigation.
    connect(WebBrowser, &QWebEngineView::urlChanged, this,
            [this](const QUrl& url) { WebBrowserNavigateComplete2(url.toString()); });
    // The arrows show whether there is a page to go back or forward to.
    auto updateArrows = [this] {
        SpeedButton1->setEnabled(WebBrowser->history()->canGoBack());
        SpeedButton2->setEnabled(WebBrowser->history()->canGoForward());
    };
    connect(WebBrowser, &QWebEngineView::urlChanged, this, updateArrows);
    connect(WebBrowser, &QWebEngineView::loadFinished, this, updateArrows);
}

void TWebbroserForm::SetInfoText(const QString& text) { SlidshowInfoPanel->setText(text); }

void TWebbroserForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TWebbroserForm::FormShow() {
    setWindowTitle(windowTitle_);
    documentShown_ = false;
    currentPage_ = startPage_;
    SlidshowInfoPanel->setVisible(currentPage_.contains("slideshow.html"));
    // Nothing of an earlier preview survives: its pages leave the history.
    WebBrowser->history()->clear();
    SpeedButton1->setEnabled(false);
    SpeedButton2->setEnabled(false);
    WebBrowser->setUrl(PageUrl(startPage_));
    WebBrowser->setFocus();
}

void TWebbroserForm::WebBrowserNavigateComplete2(const QString& address) {
    currentPage_ = address;
    const QString upper = address.toUpper();
    documentShown_ = upper.contains(".PDF") || upper.contains(".DOC");
    SlidshowInfoPanel->setVisible(address.contains("slideshow.html"));
}

void TWebbroserForm::SpeedButton1Click() {
    // The history's own step works after script-started navigations too, where the view's does not.
    if (WebBrowser->history()->canGoBack()) WebBrowser->history()->back();
}

void TWebbroserForm::SpeedButton2Click() {
    if (WebBrowser->history()->canGoForward()) WebBrowser->history()->forward();
}

void TWebbroserForm::SpeedButton3Click() {
    ShellOpen(currentPage_, this, [this](bool opened) {
        if (!opened) ShowMessage(this, MessageKind::Information, kUnableToStartMessage);
    });
}

void TWebbroserForm::SpeedButton4Click() { close(); }

void TWebbroserForm::FormCloseQuery() {
    // Leave a PDF or Word document, so the next look starts from a page of the gallery.
    if (documentShown_) SpeedButton1Click();
}

void TWebbroserForm::done(int result) {
    FormCloseQuery();
    QDialog::done(result);
}

}  // namespace wexbo
