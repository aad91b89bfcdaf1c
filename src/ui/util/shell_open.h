// Opening documents, folders and web addresses with the program the desktop associates with them.
// The desktop's opener (xdg-open) runs without blocking the window; its exit status tells whether a
// program could be started. Nothing here shows a message: callers learn the outcome and word it.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QObject;

namespace wexbo {

// The outcome, once known: false when no program could be started for the target.
using OpenDone = std::function<void(bool opened)>;

// What the windows say when nothing could be started.
inline constexpr const char* kUnableToStartMessage =
    "Unable to start. Make sure you have it properly set-up on your system.";

// Asks the desktop to open the target: a web or file address ("https://…", "file:///…") or a local
// path. An empty target, or a local path or file address that does not exist, fails at once.
// `done` runs on the event loop's thread, and not at all when `receiver` (if given) is gone by then.
void OpenWithDesktop(const QString& target, QObject* receiver, OpenDone done);

// Hands an address (or any text the desktop accepts) to the user's web browser; when the desktop
// cannot open it as an address it is opened as a local path. Reports nothing.
void OpenUrlInDefaultBrowser(const QString& text);

// Opens the file, folder or address with its associated program; when that fails, the browser gets
// it as a "file://" address. `done` (optional) learns whether either could be started.
void ShellOpen(const QString& path, QObject* receiver = nullptr, OpenDone done = {});

// What actually opens an address: by default the desktop's opener, found on PATH. Tests replace it
// to see what would have been opened, answering at once; an empty one restores the desktop's.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener SetUrlOpener(UrlOpener opener);

}  // namespace wexbo
