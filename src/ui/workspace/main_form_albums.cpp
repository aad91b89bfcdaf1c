// The album commands of the main window, the gallery command and the About window.
#include <QApplication>
#include <QScrollBar>
#include <QStatusBar>
#include <atomic>
#include <thread>

#include "album/new_form.h"
#include "album/open_form.h"
#include "app/language_table.h"
#include "app/program_identity.h"
#include "gallery/gallery_settings.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "workspace/about_form.h"
#include "workspace/album_list_model.h"
#include "workspace/main_form.h"
#include "workspace/preview_widget.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {

bool TMainForm::RunResponsive(const std::function<void()>& work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_ = true;
    std::atomic<bool> done{false};
    std::string error;
    std::thread worker([&] {
        try {
            work();
        } catch (const std::exception& exception) {
            error = exception.what();
        } catch (...) {
            error = "unknown error";
        }
        done = true;
    });
    // The window repaints and shows progress; the user's clicks wait until the work is done.
    while (!done) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 30);
    worker.join();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    busy_ = false;
    QApplication::restoreOverrideCursor();
    if (error.empty()) return true;
    ShowMessage(this, MessageKind::Error, QString::fromStdString("The operation failed: " + error));
    return false;
}

void TMainForm::ReportStoreMessage(const StoreMessage& message) {
    if (message.textNumber != 0) ShowMessage(this, MessageKind::Error, Text(message.textNumber));
    if (!message.error.empty()) ShowMessage(this, MessageKind::Error, QString::fromStdString(message.error));
}

void TMainForm::OpenAlbum(const std::string& name) {
    PicProgressBar->setValue(0);
    PicProgressBar->show();
    ListSaveTimer->stop();  // the store writes an edited list before it opens the album
    OpenAlbumResult result;
    albumModel_->Replace([&] { RunResponsive([&] { result = store_->OpenAlbum(name); }); });
    if (result.albumFileFound) {
        UpdateAlbumCaption(true);
        TitleEdit->setText(QString::fromStdString(store_->AlbumTitle()));
        LEADImage2->hide();
        shownKey_.clear();
        SaveProgramSettings();
    } else {
        UpdateAlbumCaption(false);
        TitleEdit->clear();
    }
    PicProgressBar->hide();
    UpdateCountLabel();
    ReportStoreMessage(result.message);
}

void TMainForm::BeispielBitBtnClick() {
    ShowWorkFace();
    OpenAlbum("Gal_0001");
}

void TMainForm::OpenBildano1Click() {
    if (!OpenForm->ShowChooser(TOpenForm::OpenMode)) return;
    ShowWorkFace();
    OpenAlbum(OpenForm->ChosenFolder().toStdString());
}

void TMainForm::NewBildano1Click() {
    if (!NewForm->ShowDialog()) return;
    ShowWorkFace();
    ListSaveTimer->stop();
    StoreMessage message;
    albumModel_->Replace([&] { message = store_->StartNewAlbum(NewForm->Title().toStdString()); });
    ReportStoreMessage(message);
    TitleEdit->setText(NewForm->Title());
    LEADImage2->hide();
    shownKey_.clear();
    SaveProgramSettings();
    UpdateAlbumCaption(true);
    EnablePictureControls(false);
}

void TMainForm::DeleteBildano1Click() {
    if (!OpenForm->ShowChooser(TOpenForm::DeleteMode)) return;
    const std::string chosen = OpenForm->ChosenFolder().toStdString();
    if (!ShowMessage(this, MessageKind::Question,
                     QString::fromStdString(store_->DeleteAlbumQuestion(chosen, ProgramTexts()))))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    OpenAlbum("del");
    LEADImage2->hide();
    shownKey_.clear();
    bool deleted = false;
    albumModel_->Replace([&] { deleted = store_->DeleteAlbum(chosen); });
    QApplication::restoreOverrideCursor();
    if (!deleted) ShowMessage(this, MessageKind::Information, Text(10009));
}

void TMainForm::CreateBitBtnClick() {
    if (store_->Pictures().empty()) {
        ShowMessage(this, MessageKind::Information, Text(10002));
        return;
    }
    ReportStoreMessage(store_->SavePictureList());
    const std::vector<GalleryPicture> pictures = store_->GalleryPictures();
    const QString settingsFile =
        QString::fromStdString(AlbumGallerySettingsFile(folders_.configFolder, store_->CurrentAlbum()));
    if (galleryOpener) galleryOpener(pictures, settingsFile);
}

void TMainForm::Info1Click() {
    TAboutForm about(QString::fromStdString(folders_.programFolder), this);
    about.exec();
}

}  // namespace wexbo
