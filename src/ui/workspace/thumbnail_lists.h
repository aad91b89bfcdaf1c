// The two thumbnail lists of the work panel: the source list (drag source) and the album list
// (drag source and target). They only report drags and keys; the main window decides.
#pragma once

#include <QListWidget>
#include <functional>

namespace wexbo {

class SourceListBox : public QListWidget {
    Q_OBJECT
public:
    explicit SourceListBox(QWidget* parent = nullptr);

    std::function<void()> onDragOver;  // any drag passing over the source list
    std::function<void(QKeyEvent*)> onKeyDown;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class AlbumListBox : public QListWidget {
    Q_OBJECT
public:
    explicit AlbumListBox(QWidget* parent = nullptr);

    // Index of the entry at a point of the viewport, or -1.
    int EntryAt(const QPoint& point) const;

    // Whether a drag from `source` is taken, and where it goes (viewport coordinates).
    std::function<bool(const QPoint&, QObject* source)> onDragOver;
    std::function<void(const QPoint&, QObject* source)> onDragDrop;
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
