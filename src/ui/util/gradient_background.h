// The vertical white-to-light-grey gradient behind the program's dialogs.
#pragma once

#include <QColor>
#include <QWidget>

namespace wexbo {

inline const QColor kGradientTop(255, 255, 255);
inline const QColor kGradientBottom(206, 206, 206);  // the colour value 13553358

// Fills its whole area with the gradient; placed behind a dialog's controls.
class GradientBackground : public QWidget {
    Q_OBJECT
public:
    explicit GradientBackground(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // follows the parent's size
};

}  // namespace wexbo
