#include "workspace/preview_widget.h"

#include <QPainter>

#include "imaging/lead_image_view.h"

namespace wexbo {

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

bool PreviewWidget::ShowPicture(const std::string& path) {
    try {
        // Twice the area is plenty for a sharp picture on a high-density screen.
        image_.LoadForSize(path, 2 * std::max(1, width()), 2 * std::max(1, height()));
    } catch (const ELeadImageError&) {
        return false;
    }
    shown_ = LeadImageView(image_);
    update();
    return true;
}

void PreviewWidget::Clear() {
    image_.Clear();
    shown_ = QImage();
    update();
}

QSize PreviewWidget::PictureSize() const {
    return shown_.isNull() ? QSize() : QSize(image_.FileWidth(), image_.FileHeight());
}

void PreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (shown_.isNull()) return;
    QSize size = shown_.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, shown_);
}

}  // namespace wexbo
