// Opening documents, folders and web addresses with the program the desktop associates with them.
// Nothing here shows a message: each routine reports success and leaves the wording to its caller.
#pragma once

#include <functional>

#include <QString>
#include <QUrl>

namespace wexbo {

// Asks the desktop to open the target: a web or file address ("https://…", "file:///…") or a local
// path. False when the target is empty, a local path that does not exist, or the desktop could not
// start a program for it.
bool OpenWithDesktop(const QString& target);

// Hands an address (or any text the desktop accepts) to the user's web browser; when the desktop
// cannot open it as an address it is opened as a local path.
void OpenUrlInDefaultBrowser(const QString& text);

// Opens the file, folder or address with its associated program; when that fails, the browser gets
// it as a "file://" address. False only when neither could be started.
bool ShellOpen(const QString& path);

// What actually starts a program for an address (QDesktopServices::openUrl unless replaced).
using UrlOpener = std::function<bool(const QUrl&)>;
// Replaces the opener (an empty one restores the desktop's); returns the previous one. Tests use
// it to see what would have been opened.
UrlOpener SetUrlOpener(UrlOpener opener);

}  // namespace wexbo
