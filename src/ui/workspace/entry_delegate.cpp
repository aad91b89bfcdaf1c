#include "workspace/entry_delegate.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPainter>

#include "workspace/list_roles.h"

namespace wexbo {

EntryDelegate::EntryDelegate(int rowHeight, QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(rowHeight) {}

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_};
}

namespace {

// What tells one version of a file from another, as the cache's key.
QString VersionKey(const QFileInfo& file) {
    return file.filePath() + '\n' + QString::number(file.size()) + '\n' +
           QString::number(file.lastModified().toMSecsSinceEpoch()) + '\n' +
           QString::number(file.metadataChangeTime().toMSecsSinceEpoch());
}

}  // namespace

const QPixmap* EntryDelegate::Thumbnail(const QString& path) const {
    if (path.isEmpty()) return nullptr;
    const QFileInfo file(path);
    if (!file.isFile()) return nullptr;
    const QString key = VersionKey(file);
    if (QPixmap* cached = cache_.object(key)) return cached;
    auto* pixmap = new QPixmap(path);
    if (pixmap->isNull()) {
        delete pixmap;
        return nullptr;  // not cached: the thumbnail may still be made
    }
    cache_.insert(key, pixmap);
    return pixmap;
}

void EntryDelegate::DrawBrokenPicture(QPainter* painter, const QRect& box) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect frame = box.adjusted(1, 1, -1, -1);
    painter->fillRect(frame, QColor(0xEE, 0xEE, 0xEE));
    painter->setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter->drawRect(frame);
    painter->setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
    const QRect cross =
        frame.adjusted(frame.width() / 4, frame.height() / 4, -frame.width() / 4, -frame.height() / 4);
    painter->drawLine(cross.topLeft(), cross.bottomRight());
    painter->drawLine(cross.topRight(), cross.bottomLeft());
    painter->restore();
}

EntryDelegate::RowLayout EntryDelegate::LayOutRow(const QRect& area, QSize picture) const {
    if (picture.height() > area.height() || picture.width() > area.width())
        picture.scale(area.size(), Qt::KeepAspectRatio);
    RowLayout layout;
    // Tall rows (the source list) put the name under the picture.
    if (rowHeight_ >= 2 * picture.height()) {
        layout.picture = QRect(area.topLeft(), picture);
        layout.text = area.adjusted(0, picture.height() + 4, 0, 0);
        return layout;
    }
    // Short rows put it beside the picture, in a column that starts at the same place for an upright
    // picture as for a wide one: the picture is centred in room for a 3:2 one.
    const int column = std::max(picture.width(), rowHeight_ * 3 / 2);
    layout.picture = QRect(area.topLeft() + QPoint((column - picture.width()) / 2, 0), picture);
    layout.text = area.adjusted(column + 6, 0, 0, 0);
    return layout;
}

void EntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

    const QString thumbnail = index.data(kThumbnailPathRole).toString();
    QRect area = option.rect.adjusted(4, 2, -4, -2);
    if (const QPixmap* pixmap = Thumbnail(thumbnail)) {
        const RowLayout layout = LayOutRow(area, pixmap->size());
        painter->drawPixmap(layout.picture, *pixmap);
        area = layout.text;
    } else if (!thumbnail.isEmpty()) {
        // A picture without a thumbnail could not be read: a crossed-out frame says so.
        const int height = std::min(area.height(), kBrokenPictureHeight);
        const RowLayout layout = LayOutRow(area, QSize(height * 4 / 3, height));
        DrawBrokenPicture(painter, layout.picture);
        area = layout.text;
    }
    QString text = index.data(Qt::DisplayRole).toString();
    const QString caption = index.data(kCaptionRole).toString();
    if (!caption.isEmpty()) text += "\n" + caption;
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                          : option.palette.text().color());
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

}  // namespace wexbo
