// The two thumbnail lists of the work panel: the source list (drag source) and the album list
// (drag source and target). They only report drags and keys; the main window decides.
#pragma once

#include <QListView>
#include <QListWidget>
#include <functional>
#include <vector>

namespace wexbo {

class SourceListBox : public QListWidget {
    Q_OBJECT
public:
    explicit SourceListBox(QWidget* parent = nullptr);

    std::function<void()> onDragOver;  // any drag passing over the source list
    std::function<void(QKeyEvent*)> onKeyDown;

    // What a drag of the selected pictures carries: their file names, in list order.
    QMimeData* DragPayload() const;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Shows an AlbumListModel.
class AlbumListBox : public QListView {
    Q_OBJECT
public:
    explicit AlbumListBox(QWidget* parent = nullptr);

    // Index of the entry at a point of the viewport, or -1.
    int EntryAt(const QPoint& point) const;
    int Count() const;
    int CurrentRow() const;  // -1 when no entry is current
    void SetCurrentRow(int row, QItemSelectionModel::SelectionFlags how);
    std::vector<int> SelectedRows() const;  // ascending
    bool RowSelected(int row) const;
    QRect RowRect(int row) const;  // in viewport coordinates
    // What a drag started here carries: the current entry's row and file name.
    QMimeData* DragPayload() const;

    // Whether a drag from `source` carrying `payload` is taken, and where it goes (viewport
    // coordinates).
    std::function<bool(const QPoint&, QObject* source, const QMimeData* payload)> onDragOver;
    std::function<void(const QPoint&, QObject* source, const QMimeData* payload)> onDragDrop;
    std::function<void(const QPoint&)> onEndDrag;  // a drag that started here ended
    std::function<void(const QPoint&)> onMouseDown;
    std::function<void(QKeyEvent*)> onKeyDown;
    std::function<void(QKeyEvent*)> onKeyUp;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

}  // namespace wexbo
