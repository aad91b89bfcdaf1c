// Places a window in the middle of the screen's free area, where the program's windows open.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace wexbo {

inline void CenterOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

}  // namespace wexbo
