#include "window_script.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <QWindow>

namespace wexbo::test {

namespace {
constexpr int kIntervalMs = 50;
}

WindowScript::WindowScript(int stepTimeoutMs) : stepTimeoutMs_(stepTimeoutMs) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &WindowScript::Check);
}

WindowScript& WindowScript::Then(const QString& what, std::function<bool()> ready,
                                 std::function<void()> action) {
    steps_.push_back({what, std::move(ready), std::move(action)});
    return *this;
}

void WindowScript::Start() { timer_.start(); }

void WindowScript::Check() {
    if (steps_.empty()) {
        timer_.stop();
        return;
    }
    if (!steps_.front().ready()) {
        waitedMs_ += kIntervalMs;
        if (waitedMs_ < stepTimeoutMs_) return;
        const QWidget* modal = QApplication::activeModalWidget();
        failure_ = "waited in vain for: " + steps_.front().what +
                   " (open: " + (modal ? modal->metaObject()->className() : QString("nothing")) + ")";
        steps_.clear();
        timer_.stop();
        CloseModalWindows();
        return;
    }
    waitedMs_ = 0;
    std::function<void()> action = std::move(steps_.front().action);
    steps_.pop_front();
    QTimer::singleShot(0, this, std::move(action));
}

void WindowScript::CloseModalWindows() {
    for (int i = 0; i < 10; ++i) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->reject();
        dialog->hide();
    }
}

bool Shown(const QWidget* widget) {
    return widget && widget->isVisible() && widget->windowHandle() && widget->windowHandle()->isExposed();
}

}  // namespace wexbo::test
