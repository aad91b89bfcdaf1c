#include "util/gradient_background.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

namespace wexbo {

GradientBackground::GradientBackground(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(parent->rect());
    lower();
    parent->installEventFilter(this);
}

void GradientBackground::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, kGradientTop);
    gradient.setColorAt(1, kGradientBottom);
    painter.fillRect(rect(), gradient);
}

bool GradientBackground::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        lower();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace wexbo
