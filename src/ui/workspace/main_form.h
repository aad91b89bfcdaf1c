// The main window: the start panel with its four album buttons, and the work panel in which the
// user fills an album from a source folder, orders and captions its pictures, turns them and
// starts the gallery. Every rule lives in core; the window reads its controls and calls core.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>

#include "album/album_store.h"
#include "app/program_settings.h"
#include "app/startup.h"
#include "imaging/thumbnail_maker.h"
#include "util/windows_info.h"

namespace wexbo {

class AlbumListBox;
class AlbumListModel;
class EntryDelegate;
class PreviewWidget;
class SourceListBox;
class TNewForm;
class TOpenForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `folders` without the album root, which follows from the language.
    TMainForm(const TWindowsInfo& windowsInfo, const ProgramFolders& folders, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Folders and settings held for the whole run.
    const ProgramFolders& Folders() const { return folders_; }
    const ProgramSettings& Settings() const { return settings_; }
    ProgramSettings& Settings() { return settings_; }
    AlbumStore& Store() { return *store_; }
    AlbumListModel& AlbumModel() { return *albumModel_; }
    // The preparation's error, shown once the window is up ("" when all went well).
    const QString& PreparationError() const { return preparationError_; }

    // Dialogs the tests answer instead of a person: the picture-open dialog (returns the chosen
    // file or ""), and the gallery command (opens the generator on the album's pictures).
    std::function<QString(const QString& title, const QString& folder)> pictureFilePicker;
    std::function<void(const std::vector<GalleryPicture>&, const QString& settingsFile)> galleryOpener;

    // Start panel.
    QWidget* SelectVariablesPanel;
    QLabel* ProgrammBildImage;
    QPushButton* BeispielBitBtn;
    QPushButton* NewBitBtn;
    QPushButton* Open1BitBtn;
    QPushButton* Delete1BitBtn;
    // Command bar.
    QWidget* ControllBar1;
    QToolBar* BefehlToolBar;
    QToolButton* OpenSpeedButton;
    QToolButton* NewSpeedButton;
    QToolButton* CreateSpeedButton;
    QToolBar* SymbolToolBar;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolBar* ToolBar1;
    QLabel* Panel2;
    QLineEdit* TextEdit1;
    // Work panel.
    QWidget* BedienPanel;
    QSplitter* WorkSplitter;  // the source, album and picture columns
    QLabel* Label1;
    QPushButton* OpenBitBtn;
    SourceListBox* FileListBox;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QProgressBar* PicProgressBar;
    QLabel* BildanoLabel;
    AlbumListBox* BildanoListBox;
    QLabel* Label5;
    QWidget* Panel1;
    PreviewWidget* LEADImage2;
    QWidget* TextPanel;
    QLabel* TextLabel;
    QLineEdit* TextEdit;
    QLabel* CaptionCountLabel;  // how many of the caption's characters are used
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton6;
    QToolButton* SpeedButton7;
    QToolButton* SpeedButton9;
    QToolButton* SpeedButton10;
    QPushButton* CreateBitBtn;
    QLineEdit* TitleEdit;  // hidden: the album title
    // Menus.
    QMenu* Bildano1;
    QAction* OpenBildano1;
    QAction* NewBildano1;
    QAction* DeleteBildano1;
    QAction* Programmbeenden1;
    QAction* Onlinegalerieerstellen1;
    QMenu* Hilfe1;
    QAction* Info1;
    QTimer* Timer1;         // album list preview
    QTimer* Timer2;         // source list preview
    QTimer* ListSaveTimer;  // writes reordering and caption edits shortly after they are made
    TOpenForm* OpenForm;
    TNewForm* NewForm;

    // Settings.
    void LoadProgramSettings();
    void SaveProgramSettings();
    // Album commands.
    void BeispielBitBtnClick();
    void NewBildano1Click();
    void OpenBildano1Click();
    void DeleteBildano1Click();
    void Programmbeenden1Click();
    void CreateBitBtnClick();
    void Info1Click();
    void OpenAlbum(const std::string& name);
    // Source list.
    void OpenBitBtnClick();
    void ListSourceFolder();
    void ShowPreview(const std::string& key, bool fromAlbum, bool force);
    void FileListBoxClick();
    void FileListBoxDblClick();
    void Timer2Timer();
    // Album list.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void BildanoListBoxMouseDown(const QPoint& point);
    void BildanoListBoxClick();
    void BildanoListBoxCurrentChanged(const QModelIndex& current);
    bool BildanoListBoxDragOver(const QPoint& point, QObject* source, const QMimeData* payload);
    void BildanoListBoxDragDrop(const QPoint& point, QObject* source, const QMimeData* payload);
    void BildanoListBoxEndDrag(const QPoint& point);
    void BildanoListBoxKeyDown(QKeyEvent* event);
    void BildanoListBoxKeyUp(QKeyEvent* event);
    void TextEditChange(const QString& text);
    void TextEdit1Change(const QString& text);
    // Writes the picture list when it holds edits not yet written (also run by ListSaveTimer).
    void SaveEditedList();
    void Timer1Timer();
    void SelectAlbumEntry(long index);
    // Transforms.
    void TransformAlbumPicture(const std::string& keyword);
    // Shows the window over the whole screen.
    void PlaceOnScreen();
    // Picture controls.
    void EnablePictureControls(bool enabled);
    bool PictureControlsEnabled() const { return pictureControlsEnabled_; }

    // What the tests read.
    bool HeldFlag() const { return held_; }
    const std::string& ShownPreviewKey() const { return shownKey_; }
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void BuildStartPanel();
    void BuildCommandBar();
    void BuildWorkPanel();
    void BuildMenus();
    void SetTexts();
    QWidget* BuildSourceColumn();
    QWidget* BuildAlbumColumn();
    QWidget* BuildPictureColumn();
    QWidget* BuildCaptionPanel();
    void LayOutStartPanel();
    void ShowWorkFace();
    void UpdateAlbumCaption(bool albumOpen);
    void UpdateCountLabel();
    void ReportStoreMessage(const StoreMessage& message);
    // The list was reordered or a caption edited: the picture list is written soon.
    void ListEdited();
    void ClearCaptionFields();
    // The current entry into the caption fields and, after the preview delay, the preview.
    void ShowCurrentEntry();
    void AddSourcePictures(const std::vector<std::string>& names, long position);
    std::vector<std::string> SelectedSourceNames(bool all) const;
    // Runs long work on a worker thread while the window repaints and shows progress. An exception
    // from the work is shown as an error and gives false; it never ends the program.
    bool RunResponsive(const std::function<void()>& work);
    void SetProgress(int percent);

    TWindowsInfo windowsInfo_;
    ProgramFolders folders_;
    ProgramSettings settings_;
    std::unique_ptr<AlbumStore> store_;
    AlbumListModel* albumModel_ = nullptr;
    ConvertedCopies convertedCopies_;
    ThumbnailReporter thumbnailReporter_;
    EntryDelegate* albumDelegate_ = nullptr;
    EntryDelegate* sourceDelegate_ = nullptr;
    QString preparationError_;
    QPixmap programPicture_;
    bool sourceChosenThisRun_ = false;
    bool closed_ = false;
    bool pictureControlsEnabled_ = false;
    // List editing state.
    long dropIndex_ = -1;
    bool sourceDrag_ = false;
    bool dragOver_ = false;
    int rememberedScroll_ = 1;
    bool held_ = false;
    std::string waitingKey_;
    std::string shownKey_;
    int rememberedCurrent_ = -1;
    bool syncingCaptions_ = false;
    bool busy_ = false;  // long work runs: timers wait, the store is not touched
};

}  // namespace wexbo
