#include "app/language_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>

#include "app/flag_painter.h"
#include "app/language_choice.h"
#include "util/message_box.h"

namespace wexbo {

FlagLabel::FlagLabel(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

void FlagLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    emit clicked();
}

void FlagLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit clicked();
            return;
        case Qt::Key_Right:
        case Qt::Key_Down:
            focusNextChild();
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
            focusPreviousChild();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void FlagLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    // The flag with the focus is framed, so a keyboard user sees which one Enter picks.
    QPainter p(this);
    p.setPen(QPen(palette().highlight().color(), 3));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

TLanguageForm::TLanguageForm(const QString& configFolder, QWidget* parent)
    : QDialog(parent, Qt::Tool), configFolder_(configFolder) {
    setWindowTitle("Language");
    setFixedSize(449, 277);
    setModal(true);
    GERMANImage = MakeFlag(Language::German, 56);
    ENGLISHImage = MakeFlag(Language::English, 128);
    FRANCEImage = MakeFlag(Language::French, 200);
    ITALIANImage = MakeFlag(Language::Italian, 272);
    SPAINImage = MakeFlag(Language::Spanish, 344);
    GERMANImage->setFocus();  // Tab and the arrow keys go on from here, in the row's order
    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TLanguageForm::Timer1Timer);
}

FlagLabel* TLanguageForm::MakeFlag(Language language, int left) {
    const QString code = QString::fromUtf8(LanguageCode(language));
    auto* flag = new FlagLabel(this);
    flag->setObjectName(code + "Image");
    flag->setPixmap(PaintFlag(language, 45, 30));
    flag->setGeometry(left, 152, 45, 30);
    flag->setCursor(Qt::PointingHandCursor);
    flag->setToolTip(code);
    connect(flag, &FlagLabel::clicked, this, [this, language] { FlagClick(language); });
    return flag;
}

void TLanguageForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

int TLanguageForm::Execute() {
    // Once the language is chosen the dialog has nothing to ask: it closes at once, unseen.
    if (LanguageAlreadyChosen(configFolder_.toStdString())) {
        alreadyChosen_ = true;
        return QDialog::Accepted;
    }
    return exec();
}

void TLanguageForm::FormActivate() {
    if (alreadyChosen_ || !LanguageAlreadyChosen(configFolder_.toStdString())) return;
    alreadyChosen_ = true;
    // Closed by the timer's first tick. (A dialog hidden before that would never leave its
    // modal loop, since closing a hidden dialog does not end it.)
    Timer1->start();
}

void TLanguageForm::Timer1Timer() { close(); }

void TLanguageForm::FlagClick(Language language) {
    chosen_ = language;
    close();
}

bool TLanguageForm::FormCloseQuery() {
    if (!chosen_ && !alreadyChosen_) {
        ShowMessage(this, MessageKind::Information, "Please select your language!");
        return false;
    }
    return true;
}

void TLanguageForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    if (alreadyChosen_) return;
    std::string error;
    if (!StoreLanguageChoice(configFolder_.toStdString(), *chosen_, &error))
        ShowMessage(this, MessageKind::Error, QString::fromStdString(error));
}

void TLanguageForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    QDialog::done(QDialog::Accepted);
}

void TLanguageForm::done(int result) {
    // Escape and window-manager closes come here too: they go through the same close query.
    if (!FormCloseQuery()) return;
    FormClose();
    QDialog::done(result);
}

void TLanguageForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(255, 255, 255));
    gradient.setColorAt(1, QColor(206, 206, 206));
    p.fillRect(rect(), gradient);
    QFont font = p.font();
    font.setPointSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRect(0, 40, width(), 40), Qt::AlignCenter, QStringLiteral("Wexbo 10"));
    font.setPointSize(10);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(0, 90, width(), 50), Qt::AlignCenter,
               QString::fromUtf8("Bitte wählen Sie Ihre Sprache · Please select your language\n"
                                 "Choisissez votre langue · Scegli la lingua · Elija su idioma"));
}

}  // namespace wexbo
