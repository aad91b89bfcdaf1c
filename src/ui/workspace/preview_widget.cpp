#include "workspace/preview_widget.h"

#include <QImage>
#include <QPainter>

namespace wexbo {

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool PreviewWidget::ShowPicture(const std::string& path) {
    try {
        // Twice the area is plenty for a sharp picture on a high-density screen.
        image_.LoadForSize(path, 2 * std::max(1, width()), 2 * std::max(1, height()));
    } catch (const ELeadImageError&) {
        return false;
    }
    shown_ = image_.Snapshot();
    update();
    return true;
}

void PreviewWidget::Clear() {
    image_.Clear();
    shown_.reset();
    update();
}

QSize PreviewWidget::PictureSize() const {
    return shown_ ? QSize(image_.FileWidth(), image_.FileHeight()) : QSize();
}

void PreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!shown_) return;
    const QImage view(shown_->Data(), shown_->Width(), shown_->Height(), static_cast<qsizetype>(shown_->Stride()),
                      QImage::Format_RGB888);
    QSize size = view.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, view);
}

}  // namespace wexbo
