#include "workspace/thumbnail_lists.h"

#include <QCursor>
#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>

namespace wexbo {

SourceListBox::SourceListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setUniformItemSizes(true);
}

void SourceListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (onDragOver) onDragOver();
    event->ignore();
}

void SourceListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (onDragOver) onDragOver();
    event->ignore();
}

void SourceListBox::dropEvent(QDropEvent* event) { event->ignore(); }

void SourceListBox::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown) onKeyDown(event);
    QListWidget::keyPressEvent(event);
}

AlbumListBox::AlbumListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setUniformItemSizes(true);
    setAutoScroll(false);  // the window scrolls one line near the edges itself
}

int AlbumListBox::EntryAt(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : -1;
}

void AlbumListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (onDragOver && onDragOver(event->position().toPoint(), event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void AlbumListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (onDragOver && onDragOver(event->position().toPoint(), event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void AlbumListBox::dropEvent(QDropEvent* event) {
    if (onDragDrop) onDragDrop(event->position().toPoint(), event->source());
    // Accepted as a copy: the list changes only through the window, never by Qt's own move.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void AlbumListBox::startDrag(Qt::DropActions) {
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData(items));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    if (onEndDrag) onEndDrag(viewport()->mapFromGlobal(QCursor::pos()));
}

void AlbumListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (onMouseDown) onMouseDown(event->position().toPoint());
}

void AlbumListBox::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown) onKeyDown(event);
    QListWidget::keyPressEvent(event);
}

void AlbumListBox::keyReleaseEvent(QKeyEvent* event) {
    if (onKeyUp) onKeyUp(event);
    QListWidget::keyReleaseEvent(event);
}

}  // namespace wexbo
