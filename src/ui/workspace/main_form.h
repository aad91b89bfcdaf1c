// The main window: prepares the folders at creation, saves the settings and cleans up at close.
#pragma once

#include <QMainWindow>

#include "app/program_settings.h"
#include "app/startup.h"
#include "util/windows_info.h"

namespace wexbo {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(const TWindowsInfo& windowsInfo, const std::string& programFolder, QWidget* parent = nullptr);

    // Folders and settings held for the whole run.
    const ProgramFolders& Folders() const { return folders_; }
    const ProgramSettings& Settings() const { return settings_; }
    ProgramSettings& Settings() { return settings_; }
    // The preparation's error, shown once the window is up ("" when all went well).
    const QString& PreparationError() const { return preparationError_; }

    void LoadProgramSettings();
    void SaveProgramSettings();
    void Programmbeenden1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormClose();

    TWindowsInfo windowsInfo_;
    ProgramFolders folders_;
    ProgramSettings settings_;
    ConvertedCopies convertedCopies_;
    bool sourceChosenThisRun_ = false;
    bool closed_ = false;
    QString preparationError_;
};

}  // namespace wexbo
