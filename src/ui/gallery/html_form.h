// The gallery generator window: the settings of an album's online gallery, and the buttons that
// make it ("1."), explain its upload ("2. ") and close the window.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "album/gallery_picture.h"
#include "gallery/gallery_settings.h"
#include "util/private_folder.h"
#include "util/windows_info.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace wexbo {

class GradientBackground;
class TAnweisungForm;
class TButtoWebbroserForm;
class TWebbroserForm;
struct GenerationResult;

// What the main window hands over when it opens the generator for the current album.
struct GeneratorOpening {
    std::string programFolder;  // the shipped data, with trailing "/"
    std::string configFolder;   // the user's settings: where the template pairs go
    std::string cacheFolder;    // holds the cache of web pictures ("": none)
    std::string albumTitle;
    bool gradient = true;                  // show the gradient background
    std::vector<GalleryPicture> pictures;  // the album's pictures in album order
    std::string programTitle;
    std::string sidePicture;   // the picture along the left edge
    std::string settingsFile;  // the album's gallery settings file
};

// A colour swatch that reacts to clicks like the button beside it.
class ColorPanel : public QFrame {
    Q_OBJECT
public:
    explicit ColorPanel(QWidget* parent);
    void SetColorValue(long long color);  // 0x00BBGGRR
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class THTMLForm : public QDialog {
    Q_OBJECT
public:
    // `dataFolder` holds the user's button sets; the work folder lies in the temporary folder.
    THTMLForm(const TWindowsInfo& windowsInfo, const std::string& dataFolder, QWidget* parent = nullptr);
    ~THTMLForm() override;

    // Takes the values and sets the caption; Open also shows the window modally.
    void Prepare(GeneratorOpening opening);
    int Open(GeneratorOpening opening);

    const GallerySettings& Settings() const { return settings_; }
    // "gallery/" in a private folder of this user's, made with the window ("" when it could not be).
    const std::string& WorkFolder() const { return workFolder_; }
    bool Running() const { return worker_ != nullptr; }

    TButtoWebbroserForm* ButtonChooser() const { return chooser_; }
    TWebbroserForm* Preview() const { return preview_; }
    TAnweisungForm* Instructions() const { return instructions_; }

    QLabel* Image1;
    QLabel* Label16;
    QGroupBox* GroupBox1;
    QLabel* Label5;
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* PicProRowMaskEdit;
    QLineEdit* SmallPicMaskEdit;
    QLineEdit* LargePicMaskEdit;
    QCheckBox* TextCheckBox;
    QCheckBox* RahmenCheckBox;
    QCheckBox* ConvertAllCheckBox;  // the next run converts every picture again, whatever the cache holds
    QComboBox* PageStyleComboBox;   // Classic or Modern pages, a setting of the album
    QPushButton* PathAdvGlowButton;
    QLineEdit* PathEdit;
    QGroupBox* GroupBox2;
    QPushButton* BKGColorButton;
    QPushButton* TextcolorButton;
    ColorPanel* BKGColorPanel;
    ColorPanel* TextColorPanel;
    QPushButton* ButtonAdvGlowButton;
    QLabel* BuImage[5];  // BuImage1 … BuImage5
    QLabel* KonvertLabel;
    QProgressBar* ProgressBar1;
    QPushButton* BitBtn1;  // "1.": make the gallery
    QPushButton* BitBtn2;  // "2. ": upload instructions
    QPushButton* BitBtn3;  // "Close"

    void PicProRowMaskEditChange();
    void SmallPicMaskEditChange();
    void LargePicMaskEditChange();
    void TextCheckBoxClick();
    void RahmenCheckBoxClick();
    void BKGColorButtonClick();
    void TextcolorButtonClick();
    void PathAdvGlowButtonClick();
    void PathEditChange();
    void ButtonAdvGlowButtonClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;  // every way of closing comes here

private:
    void FormCreate();
    void FormShow();
    void LoadSettings();
    void LoadButtonPreviews();
    void TintGroupBoxes();
    bool PickColor(long long& color);
    void SetControlsEnabled(bool enabled);
    void ShowProgress(int percent, const QString& text);
    void RunFinished(const GenerationResult& result);
    void ShowPreview(const std::string& galleryPage);
    void CloseWindow(int result);
    // Makes the work folder when it is missing; false when there is none to work in.
    bool WorkFolderReady();
    std::string WorkFolderError() const;

    TWindowsInfo windowsInfo_;
    std::string dataFolder_;
    PrivateFolder privateFolder_;
    std::string workFolder_;
    GeneratorOpening opening_;
    GallerySettings settings_;
    QString konvertText_;  // the progress label's text before the counts

    GradientBackground* background_;
    TButtoWebbroserForm* chooser_;
    TWebbroserForm* preview_;
    TAnweisungForm* instructions_;

    std::unique_ptr<std::thread> worker_;
    std::atomic<bool> cancel_{false};
    bool closeAfterRun_ = false;
    QLabel* pageStyleLabel_;  // "Page style"
};

}  // namespace wexbo
