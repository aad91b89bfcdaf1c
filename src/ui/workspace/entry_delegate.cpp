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

void EntryDelegate::Forget(const QString& path) {
    if (path.isEmpty()) {
        cache_.clear();
        return;
    }
    const QString prefix = QFileInfo(path).filePath() + '\n';
    for (const QString& key : cache_.keys())
        if (key.startsWith(prefix)) cache_.remove(key);
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
        QSize size = pixmap->size();
        if (size.height() > area.height() || size.width() > area.width())
            size.scale(area.size(), Qt::KeepAspectRatio);
        painter->drawPixmap(QRect(area.topLeft(), size), *pixmap);
        // Tall rows (the source list) put the name under the picture, short rows beside it.
        if (rowHeight_ >= 2 * size.height())
            area.setTop(area.top() + size.height() + 4);
        else
            area.setLeft(area.left() + size.width() + 6);
    }
    QString text = index.data(Qt::DisplayRole).toString();
    const QString caption = index.data(kCaptionRole).toString();
    if (!caption.isEmpty()) text += "\n" + caption;
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                          : option.palette.text().color());
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

}  // namespace wexbo
