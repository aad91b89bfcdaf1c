// Draws a list row: its thumbnail (kThumbnailPathRole), then its name and caption.
#pragma once

#include <QCache>
#include <QPixmap>
#include <QStyledItemDelegate>

namespace wexbo {

class EntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    EntryDelegate(int rowHeight, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The thumbnail file as it is now on disk (null when it cannot be read). A file rewritten under
    // the same name (a turn, a reopened album, another picture of the same name) is read again.
    const QPixmap* Thumbnail(const QString& path) const;

    // Where a row draws its picture and its text, within `area`.
    struct RowLayout {
        QRect picture;
        QRect text;
    };
    RowLayout LayOutRow(const QRect& area, QSize picture) const;

    // The mark of a picture that could not be read, in place of its thumbnail.
    static constexpr int kBrokenPictureHeight = 54;
    static void DrawBrokenPicture(QPainter* painter, const QRect& box);

private:
    int rowHeight_;
    // Thumbnails by file path, size and modification time: scrolling a long list never reads a
    // file twice, and a changed file is never shown from memory.
    mutable QCache<QString, QPixmap> cache_{4000};
};

}  // namespace wexbo
