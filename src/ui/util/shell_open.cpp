#include "util/shell_open.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>

namespace wexbo {

namespace {

UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}

// "https://…", "file:///…", "mailto:…" are addresses; "/home/x", "gallery.html" are paths. A
// scheme is at least two letters, so nothing that looks like "c:" counts.
bool HasScheme(const QString& text) {
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    return scheme.match(text).hasMatch();
}

// Calls `done` unless it is empty or its receiver has gone meanwhile.
OpenDone Guarded(QObject* receiver, OpenDone done) {
    if (!done) return [](bool) {};
    if (!receiver) return done;
    return [receiver = QPointer<QObject>(receiver), done = std::move(done)](bool opened) {
        if (receiver) done(opened);
    };
}

// Runs the desktop's opener on the address and reports its exit status.
void OpenUrl(const QUrl& url, OpenDone done) {
    if (Opener()) {
        done(Opener()(url));
        return;
    }
    // Owned by the application, not by a window: closing the window must not stop the opener.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram("xdg-open");
    process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);  // its complaint goes to our log
    // Exactly one of the two reports: a program that never started does not finish.
    QObject::connect(process, &QProcess::finished, process,
                     [process, done](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         done(status == QProcess::NormalExit && code == 0);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, done](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         process->deleteLater();
                         done(false);
                     });
    process->start();
}

}  // namespace

void OpenWithDesktop(const QString& target, QObject* receiver, OpenDone done) {
    OpenDone report = Guarded(receiver, std::move(done));
    if (target.trimmed().isEmpty()) return report(false);
    if (HasScheme(target)) {
        const QUrl url(target);
        // A local file address names something that must be there, as a path does.
        if (!url.isValid() || (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())))
            return report(false);
        return OpenUrl(url, std::move(report));
    }
    if (!QFileInfo::exists(target)) return report(false);
    OpenUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()), std::move(report));
}

void OpenUrlInDefaultBrowser(const QString& text) {
    const QUrl url(text);
    if (!HasScheme(text) || !url.isValid()) return OpenWithDesktop(text, nullptr, {});
    OpenUrl(url, [text](bool opened) {
        if (!opened) OpenWithDesktop(text, nullptr, {});
    });
}

void ShellOpen(const QString& path, QObject* receiver, OpenDone done) {
    OpenDone report = Guarded(receiver, std::move(done));
    if (path.trimmed().isEmpty()) return report(false);
    OpenWithDesktop(path, nullptr, [path, report](bool opened) {
        if (opened) return report(true);
        // The fallback: the same target as a file address for the browser.
        const QUrl address =
            HasScheme(path) ? QUrl(path) : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        if (!address.isValid()) return report(false);
        OpenUrl(address, report);
    });
}

UrlOpener SetUrlOpener(UrlOpener opener) {
    UrlOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

}  // namespace wexbo
