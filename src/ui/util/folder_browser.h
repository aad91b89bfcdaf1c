// The folder picker: the desktop's folder dialog, modal for the whole program.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace wexbo {

class TFolderBrowser {
public:
    std::string ChosenPath;     // after a successful Browse: the chosen folder, as the dialog gives it
    std::string Title;          // window title of the dialog (may be empty)
    bool IncludeFiles = false;  // list files beside the folders
    bool NewStyle = true;       // offer a button for making a new folder
    std::string InitialFolder;  // selected when the dialog opens

    // Shows the dialog; true when the user chose a folder (ChosenPath then holds it).
    bool Browse();
};

class TDirectoryDialog_QVB {
public:
    std::string ChosenFolder;  // ends in exactly one "/" when not empty

    // Picks a folder starting at `initialFolder`; false (and ChosenFolder empty) after a cancel.
    bool Execute(bool newStyle, bool includeFiles, const std::string& initialFolder,
                 const std::string& title);
};

// Answers folder dialogs without showing one: the chosen path, or nothing for a cancel. Tests use it.
using FolderDialogAnswer = std::function<std::optional<std::string>(const TFolderBrowser&)>;
// Replaces the dialog (an empty answer restores it); returns the previous answer.
FolderDialogAnswer SetFolderDialogAnswer(FolderDialogAnswer answer);

}  // namespace wexbo
