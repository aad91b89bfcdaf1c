#include "app/flag_painter.h"

#include <QPainter>
#include <QPainterPath>

namespace wexbo {

namespace {

void Stripes(QPainter& p, const QRect& r, std::initializer_list<QColor> colours, bool vertical) {
    const int n = static_cast<int>(colours.size());
    int i = 0;
    for (const QColor& c : colours) {
        QRect band = vertical ? QRect(r.left() + r.width() * i / n, r.top(),
                                      r.width() * (i + 1) / n - r.width() * i / n, r.height())
                              : QRect(r.left(), r.top() + r.height() * i / n, r.width(),
                                      r.height() * (i + 1) / n - r.height() * i / n);
        p.fillRect(band, c);
        ++i;
    }
}

void UnionFlag(QPainter& p, const QRect& r) {
    const QColor blue(1, 33, 105), red(200, 16, 46);
    p.fillRect(r, blue);
    const qreal w = r.width(), h = r.height();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, h / 5.0));
    p.drawLine(QPointF(0, 0), QPointF(w, h));
    p.drawLine(QPointF(0, h), QPointF(w, 0));
    p.setPen(QPen(red, h / 15.0));
    p.drawLine(QPointF(0, 0), QPointF(w, h));
    p.drawLine(QPointF(0, h), QPointF(w, 0));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(0, h * 2 / 5, w, h / 5), Qt::white);
    p.fillRect(QRectF(w / 2 - h / 10, 0, h / 5, h), Qt::white);
    p.fillRect(QRectF(0, h * 7 / 15, w, h / 15), red);
    p.fillRect(QRectF(w / 2 - h / 30, 0, h / 15, h), red);
}

}  // namespace

QPixmap PaintFlag(Language language, int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    const QRect r(0, 0, width, height);
    switch (language) {
        case Language::German:
            Stripes(p, r, {Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)}, false);
            break;
        case Language::English:
            UnionFlag(p, r);
            break;
        case Language::French:
            Stripes(p, r, {QColor(0, 35, 149), Qt::white, QColor(237, 41, 57)}, true);
            break;
        case Language::Italian:
            Stripes(p, r, {QColor(0, 146, 70), Qt::white, QColor(206, 43, 55)}, true);
            break;
        case Language::Spanish: {
            const QColor red(170, 21, 27), yellow(241, 191, 0);
            p.fillRect(r, red);
            p.fillRect(QRect(0, height / 4, width, height - 2 * (height / 4)), yellow);
            break;
        }
    }
    p.setPen(QColor(90, 90, 90));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    return pixmap;
}

}  // namespace wexbo
