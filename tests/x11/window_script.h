// A script for windows that open modally: each step waits until its condition holds, then acts.
// Actions run from an event of their own, so a modal window one of them opens does not stop the
// script; the next steps go on inside that window's event loop.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

namespace wexbo::test {

class WindowScript : public QObject {
public:
    explicit WindowScript(int stepTimeoutMs = 30000);

    // Adds a step: once `ready` returns true, `action` runs.
    WindowScript& Then(const QString& what, std::function<bool()> ready, std::function<void()> action);
    // Starts checking every 50 ms (call before the action that opens the first window).
    void Start();

    bool Finished() const { return steps_.empty() && failure_.isEmpty(); }
    // The step that did not come, and what was open then ("" when none stuck).
    const QString& Failure() const { return failure_; }

private:
    struct Step {
        QString what;
        std::function<bool()> ready;
        std::function<void()> action;
    };
    void Check();
    // Rejects every modal window, so the test returns from where it waits.
    static void CloseModalWindows();

    std::deque<Step> steps_;
    QTimer timer_;
    int waitedMs_ = 0;
    int stepTimeoutMs_;
    QString failure_;
};

// True when the widget is on screen: shown and exposed by the window manager.
bool Shown(const QWidget* widget);

}  // namespace wexbo::test
