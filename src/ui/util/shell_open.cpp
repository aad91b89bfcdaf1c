#include "util/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace wexbo {

namespace {

UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}

bool OpenUrl(const QUrl& url) {
    if (Opener()) return Opener()(url);
    return QDesktopServices::openUrl(url);
}

// "https://…", "file:///…", "mailto:…" are addresses; "/home/x", "gallery.html" are paths. A
// scheme is at least two letters, so nothing that looks like "c:" counts.
bool HasScheme(const QString& text) {
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    return scheme.match(text).hasMatch();
}

}  // namespace

bool OpenWithDesktop(const QString& target) {
    if (target.trimmed().isEmpty()) return false;
    if (HasScheme(target)) {
        const QUrl url(target);
        if (!url.isValid()) return false;
        // A local file address names something that must be there, as a path does.
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
        return OpenUrl(url);
    }
    if (!QFileInfo::exists(target)) return false;
    return OpenUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
}

void OpenUrlInDefaultBrowser(const QString& text) {
    if (HasScheme(text)) {
        const QUrl url(text);
        if (url.isValid() && OpenUrl(url)) return;
    }
    OpenWithDesktop(text);
}

bool ShellOpen(const QString& path) {
    try {
        if (OpenWithDesktop(path)) return true;
        if (path.trimmed().isEmpty()) return false;
        // The fallback: the same target as a file address for the browser.
        const QUrl address = HasScheme(path) ? QUrl(path) : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        if (!address.isValid()) return false;
        return OpenUrl(address);
    } catch (...) {
        return false;
    }
}

UrlOpener SetUrlOpener(UrlOpener opener) {
    UrlOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

}  // namespace wexbo
