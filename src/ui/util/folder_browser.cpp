#include "util/folder_browser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "util/strings.h"

namespace wexbo {

namespace {

FolderDialogAnswer& Answer() {
    static FolderDialogAnswer answer;
    return answer;
}

// The initial folder, or its nearest existing parent: a folder that is still to be made (the
// default output folder before the first run) should still open the dialog near it.
QString StartFolder(const std::string& initialFolder) {
    if (initialFolder.empty()) return {};
    QString folder = QDir::cleanPath(QString::fromStdString(initialFolder));
    while (!QFileInfo(folder).isDir() && folder != "/" && folder != ".") folder = QFileInfo(folder).path();
    return folder;
}

}  // namespace

bool TFolderBrowser::Browse() {
    ChosenPath.clear();
    if (Answer()) {
        const std::optional<std::string> chosen = Answer()(*this);
        if (!chosen) return false;
        ChosenPath = *chosen;
        return true;
    }
    // Parented to the active window and application-modal, so no other window of the program
    // takes input while it is open; Qt centres it over its parent.
    const QString startFolder = StartFolder(InitialFolder);
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(Title), startFolder);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ShowDirsOnly, !IncludeFiles);
    // The old style had no button for new folders; a read-only dialog offers none.
    dialog.setOption(QFileDialog::ReadOnly, !NewStyle);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    ChosenPath = chosen.first().toStdString();
    // Accepted where it opened, on the parent of a folder still to be made: the answer is that
    // folder, as asked, not the parent (a gallery would otherwise land loose among its files).
    const QString initial = QDir::cleanPath(QString::fromStdString(InitialFolder));
    if (!InitialFolder.empty() && !QFileInfo(initial).isDir() &&
        QDir::cleanPath(chosen.first()) == startFolder)
        ChosenPath = initial.toStdString();
    return true;
}

bool TDirectoryDialog_QVB::Execute(bool newStyle, bool includeFiles, const std::string& initialFolder,
                                   const std::string& title) {
    ChosenFolder.clear();
    TFolderBrowser browser;
    browser.IncludeFiles = includeFiles;
    browser.NewStyle = newStyle;
    browser.InitialFolder = AddTrailingBackslash(initialFolder);
    browser.Title = title;
    const bool chosen = browser.Browse();
    ChosenFolder = AddTrailingBackslash(browser.ChosenPath);
    return chosen;
}

FolderDialogAnswer SetFolderDialogAnswer(FolderDialogAnswer answer) {
    FolderDialogAnswer previous = std::move(Answer());
    Answer() = std::move(answer);
    return previous;
}

}  // namespace wexbo
