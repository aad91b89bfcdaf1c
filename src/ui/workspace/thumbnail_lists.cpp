#include "workspace/thumbnail_lists.h"

#include <QCursor>
#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <algorithm>

#include "workspace/list_roles.h"

namespace wexbo {

SourceListBox::SourceListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setUniformItemSizes(true);
}

QMimeData* SourceListBox::DragPayload() const { return mimeData(selectedItems()); }

QMimeData* SourceListBox::mimeData(const QList<QListWidgetItem*>& items) const {
    QList<QListWidgetItem*> ordered = items;
    std::sort(ordered.begin(), ordered.end(),
              [this](QListWidgetItem* a, QListWidgetItem* b) { return row(a) < row(b); });
    std::vector<std::string> names;
    for (const QListWidgetItem* item : ordered)
        names.push_back(item->data(kFileNameRole).toByteArray().toStdString());
    return SourceNamesPayload(names);
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

AlbumListBox::AlbumListBox(QWidget* parent) : QListView(parent) {
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

int AlbumListBox::Count() const { return model() ? model()->rowCount() : 0; }

int AlbumListBox::CurrentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void AlbumListBox::SetCurrentRow(int row, QItemSelectionModel::SelectionFlags how) {
    if (model() && selectionModel()) selectionModel()->setCurrentIndex(model()->index(row, 0), how);
}

std::vector<int> AlbumListBox::SelectedRows() const {
    std::vector<int> rows;
    if (!selectionModel()) return rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool AlbumListBox::RowSelected(int row) const {
    return model() && selectionModel() && selectionModel()->isSelected(model()->index(row, 0));
}

QRect AlbumListBox::RowRect(int row) const { return model() ? visualRect(model()->index(row, 0)) : QRect(); }

QMimeData* AlbumListBox::DragPayload() const {
    return model() && currentIndex().isValid() ? model()->mimeData({currentIndex()}) : nullptr;
}

void AlbumListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (onDragOver && onDragOver(event->position().toPoint(), event->source(), event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void AlbumListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (onDragOver && onDragOver(event->position().toPoint(), event->source(), event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void AlbumListBox::dropEvent(QDropEvent* event) {
    if (onDragDrop) onDragDrop(event->position().toPoint(), event->source(), event->mimeData());
    // Accepted as a copy: the list changes only through the window, never by Qt's own move.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void AlbumListBox::startDrag(Qt::DropActions) {
    // The entry pressed is the one that moves, whatever else is selected.
    QMimeData* payload = DragPayload();
    if (!payload) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(payload);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    if (onEndDrag) onEndDrag(viewport()->mapFromGlobal(QCursor::pos()));
}

void AlbumListBox::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    if (onMouseDown) onMouseDown(event->position().toPoint());
}

void AlbumListBox::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown) onKeyDown(event);
    QListView::keyPressEvent(event);
}

void AlbumListBox::keyReleaseEvent(QKeyEvent* event) {
    if (onKeyUp) onKeyUp(event);
    QListView::keyReleaseEvent(event);
}

}  // namespace wexbo
