// The language question of the first start: five flags, no way out without picking one.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>
#include <QTimer>
#include <optional>

#include "app/language.h"

namespace wexbo {

// A flag picture that reports a click.
// A flag picture that reports a click, or Enter or Space while it has the focus; Tab and the arrow
// keys move the focus between the flags.
class FlagLabel : public QLabel {
    Q_OBJECT
public:
    explicit FlagLabel(QWidget* parent = nullptr);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class TLanguageForm : public QDialog {
    Q_OBJECT
public:
    explicit TLanguageForm(const QString& configFolder, QWidget* parent = nullptr);

    // Shows the dialog modally unless the language was chosen at an earlier start.
    int Execute();
    // The flag clicked, if any.
    std::optional<Language> Chosen() const { return chosen_; }
    bool AlreadyChosen() const { return alreadyChosen_; }

    FlagLabel* GERMANImage;
    FlagLabel* ENGLISHImage;
    FlagLabel* FRANCEImage;
    FlagLabel* ITALIANImage;
    FlagLabel* SPAINImage;
    QTimer* Timer1;

    void FormActivate();
    void FlagClick(Language language);
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // the close query, then the close
    void done(int result) override;

private:
    bool FormCloseQuery();
    void FormClose();
    FlagLabel* MakeFlag(Language language, int left);

    QString configFolder_;
    std::optional<Language> chosen_;
    bool alreadyChosen_ = false;
    bool closed_ = false;
};

}  // namespace wexbo
