// The source list and the album list of the main window: choosing and listing the source folder,
// the preview, adding, removing, reordering and captioning album pictures.
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolTip>
#include <algorithm>

#include "album/album_entry.h"
#include "app/language_table.h"
#include "util/message_box.h"
#include "util/parallel.h"
#include "util/program_texts.h"
#include "util/strings.h"
#include "util/text_encoding.h"
#include "workspace/album_list_editing.h"
#include "workspace/album_list_model.h"
#include "workspace/list_roles.h"
#include "workspace/main_form.h"
#include "workspace/preview_widget.h"
#include "workspace/source_listing.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {

namespace {
std::string SourceFileName(const QListWidgetItem* item) {
    return item ? item->data(kFileNameRole).toByteArray().toStdString() : std::string();
}
}  // namespace

// --- Source folder ----------------------------------------------------------------------------

void TMainForm::OpenBitBtnClick() {
    std::string folder;
    for (;;) {
        const QString picked = pictureFilePicker(Text(4200), QString::fromStdString(settings_.sourceFolder));
        if (picked.isEmpty()) return;
        folder = AddTrailingBackslash(PathOnly(picked.toStdString()));
        if (!IsForbiddenSourceFolder(folder, folders_.albumRoot, folders_.programFolder)) break;
        ShowMessage(this, MessageKind::Information, Text(10003));
    }
    if (!settings_.sourceFolder.empty() && settings_.sourceFolder != folder)
        convertedCopies_.DeleteConvertedCopies(settings_.sourceFolder);
    settings_.sourceFolder = folder;
    sourceChosenThisRun_ = true;
    ListSourceFolder();
    if (ProgramTexts().GetLanguage() == Language::German) {
        QToolTip::showText(
            FileListBox->mapToGlobal(QPoint(FileListBox->width() / 2, 40)),
            QString::fromUtf8("<b>Hilfe</b><br>Ziehen Sie die gewünschten Bilder  für die Onlinegalerie "
                              "mit gedrückter Maustaste vom Quellfenster ins Zielfenster."),
            FileListBox, {}, 999000);
    }
}

void TMainForm::ListSourceFolder() {
    FileListBox->clear();
    sourceDrag_ = false;
    PicProgressBar->setValue(0);
    PicProgressBar->show();
    SourceListing listing;
    RunResponsive([&] {
        listing = wexbo::ListSourceFolder(folders_.cacheFolder, settings_.sourceFolder, DefaultJobCount(),
                                          &thumbnailReporter_);
    });
    store_->Counters() = listing.counters;
    for (const SourcePicture& picture : listing.pictures) {
        auto* item = new QListWidgetItem(QString::fromStdString(DecodeText(picture.name)), FileListBox);
        // The name exactly as on disk: the shown text cannot hold every name Linux allows.
        item->setData(kFileNameRole, QByteArray::fromStdString(picture.name));
        item->setData(kThumbnailPathRole, QString::fromStdString(picture.thumbnailPath));
    }
    statusBar()->clearMessage();
    PicProgressBar->hide();
}

void TMainForm::ShowPreview(const std::string& key, bool fromAlbum, bool force) {
    if (!force && key == shownKey_) return;
    shownKey_ = key;
    // The key is a file name of the album or the source folder, or a whole path.
    std::string path;
    if (fromAlbum)
        path = store_->AlbumFolder() + key;
    else if (key.find('/') != std::string::npos)
        path = key;
    else
        path = settings_.sourceFolder + key;
    if (LEADImage2->ShowPicture(path)) LEADImage2->show();
    if (rememberedCurrent_ >= 0 && rememberedCurrent_ < BildanoListBox->Count())
        BildanoListBox->SetCurrentRow(rememberedCurrent_, QItemSelectionModel::NoUpdate);
}

void TMainForm::FileListBoxClick() {
    QToolTip::hideText();
    EnablePictureControls(false);
    sourceDrag_ = true;
    rememberedCurrent_ = BildanoListBox->CurrentRow();
    waitingKey_ = SourceFileName(FileListBox->currentItem());
    if (!Timer2->isActive()) Timer2->start();
}

void TMainForm::Timer2Timer() {
    if (busy_) {
        Timer2->start();
        return;
    }
    ShowPreview(waitingKey_, false, false);
}

void TMainForm::FileListBoxDblClick() { SpeedButton1Click(); }

// --- Adding and removing ----------------------------------------------------------------------

std::vector<std::string> TMainForm::SelectedSourceNames(bool all) const {
    std::vector<std::string> names;
    for (int row = 0; row < FileListBox->count(); ++row) {
        const QListWidgetItem* item = FileListBox->item(row);
        if (all || item->isSelected()) names.push_back(SourceFileName(item));
    }
    return names;
}

void TMainForm::AddSourcePictures(const std::vector<std::string>& names, long position) {
    PicProgressBar->show();
    // Appended in list order; dropped at a place, they are taken from the last to the first and
    // each put at that same place, so they end up in list order from `position` on.
    std::vector<std::string> order = names;
    if (position >= 0) std::reverse(order.begin(), order.end());
    for (const std::string& name : order) {
        // The file work on a worker thread; the list changes here, where the window reads it.
        AlbumCopy copy;
        RunResponsive([&] { copy = store_->CopyPictureIntoAlbum(settings_.sourceFolder + name); });
        StoreMessage message = copy.message;
        if (copy.picture) {
            int row = -1;
            message = albumModel_->Insert(std::move(*copy.picture), position, &row);
            if (position >= 0) SelectAlbumEntry(row);
        }
        ReportStoreMessage(message);         // a failed copy stops that picture only
        if (message.albumUnwritable) break;  // the next pictures would fail alike
    }
    PicProgressBar->hide();
    UpdateCountLabel();
}

void TMainForm::SpeedButton1Click() {
    const std::vector<std::string> names = SelectedSourceNames(false);
    AddSourcePictures(names, -1);
    if (names.empty()) ShowMessage(this, MessageKind::Information, Text(10004));
}

void TMainForm::SpeedButton2Click() {
    AddSourcePictures(SelectedSourceNames(true), -1);
    if (FileListBox->count() == 0) ShowMessage(this, MessageKind::Information, Text(10005));
}

void TMainForm::SpeedButton3Click() {
    // Only the pictures the user selected are deleted; an empty list has none to delete.
    std::vector<int> selected = BildanoListBox->SelectedRows();
    std::reverse(selected.begin(), selected.end());  // from the last, so the rows before stay put
    if (!selected.empty()) {
        // No entry is current afterwards (not a neighbour the removal would make current): the
        // picture controls stay off until the user shows an entry.
        BildanoListBox->selectionModel()->clearCurrentIndex();
        ClearCaptionFields();
    }
    for (int row : selected) ReportStoreMessage(albumModel_->Remove(row));
    UpdateCountLabel();
    store_->PurgeStaleThumbnails();
    if (selected.empty()) ShowMessage(this, MessageKind::Information, Text(10006));
}

void TMainForm::SpeedButton4Click() {
    if (!ShowMessage(this, MessageKind::Question, Text(10007))) return;
    ClearCaptionFields();
    ReportStoreMessage(albumModel_->RemoveAll());
    UpdateCountLabel();
}

// --- Showing an entry, captions ---------------------------------------------------------------

void TMainForm::BildanoListBoxMouseDown(const QPoint& point) {
    if (BildanoListBox->Count() == 0) return;
    sourceDrag_ = false;
    dropIndex_ = BildanoListBox->EntryAt(point);
    BildanoListBoxClick();
}

void TMainForm::BildanoListBoxClick() {
    dragOver_ = false;
    LEADImage2->show();
    ShowCurrentEntry();
}

void TMainForm::BildanoListBoxCurrentChanged(const QModelIndex& current) {
    if (!current.isValid()) {
        // No entry to edit: a caption typed now would go nowhere.
        ClearCaptionFields();
        return;
    }
    // The list does not scroll by itself (it scrolls near its edges during a drag), so a current
    // entry moved to by a key is brought into view here.
    BildanoListBox->scrollTo(current);
    ShowCurrentEntry();
}

void TMainForm::ShowCurrentEntry() {
    const QModelIndex current = BildanoListBox->currentIndex();
    if (!current.isValid()) return;
    waitingKey_ = current.data(kFileNameRole).toByteArray().toStdString();
    const QString caption = current.data(kCaptionRole).toString();
    syncingCaptions_ = true;
    TextEdit->setText(caption);
    TextEdit1->setText(caption);
    syncingCaptions_ = false;
    EnablePictureControls(true);
    rememberedCurrent_ = current.row();
    Timer1->start();
}

void TMainForm::Timer1Timer() {
    if (held_ || busy_) return;  // keeps running until Shift and Ctrl are let go
    Timer1->stop();
    ShowPreview(waitingKey_, true, false);
}

void TMainForm::TextEditChange(const QString& text) {
    if (syncingCaptions_) return;
    const std::string caption = CleanCaption(text.toStdString());
    if (albumModel_->SetCaption(BildanoListBox->CurrentRow(), caption)) ListEdited();
    syncingCaptions_ = true;
    if (TextEdit->text().toStdString() != caption) TextEdit->setText(QString::fromStdString(caption));
    if (TextEdit1->text().toStdString() != caption) TextEdit1->setText(QString::fromStdString(caption));
    syncingCaptions_ = false;
}

void TMainForm::TextEdit1Change(const QString& text) { TextEditChange(text); }

void TMainForm::ClearCaptionFields() {
    // Emptied without touching an entry: the current entry need not be one being removed.
    syncingCaptions_ = true;
    TextEdit->clear();
    TextEdit1->clear();
    syncingCaptions_ = false;
    EnablePictureControls(false);
}

void TMainForm::ListEdited() {
    store_->MarkListEdited();
    // Written at most this long after the first edit not yet written, however long the typing goes on.
    if (!ListSaveTimer->isActive()) ListSaveTimer->start();
}

void TMainForm::SaveEditedList() {
    if (busy_) {  // the store is at work on another thread
        ListSaveTimer->start();
        return;
    }
    ReportStoreMessage(store_->SaveEditedList());
}

void TMainForm::SelectAlbumEntry(long index) {
    BildanoListBox->clearSelection();
    const long row = SelectableIndex(index, static_cast<std::size_t>(BildanoListBox->Count()));
    if (row < 0) return;
    BildanoListBox->SetCurrentRow(static_cast<int>(row), QItemSelectionModel::ClearAndSelect);
}

// --- Drag and drop, keys ----------------------------------------------------------------------

bool TMainForm::BildanoListBoxDragOver(const QPoint& point, QObject* source, const QMimeData* payload) {
    // Only the two lists' own drags: pictures from the source list, an entry of this list.
    const bool fromSource = source == FileListBox && payload && payload->hasFormat(kSourceNamesFormat);
    const bool fromAlbum = source == BildanoListBox && payload && payload->hasFormat(kAlbumRowFormat);
    if (!fromSource && !fromAlbum) return false;
    dragOver_ = true;
    QScrollBar* bar = BildanoListBox->verticalScrollBar();
    if (point.y() < 50) bar->setValue(bar->value() - 1);
    if (point.y() > BildanoListBox->viewport()->height() - 50) bar->setValue(bar->value() + 1);
    if (fromSource) {
        sourceDrag_ = true;
        const int entry = BildanoListBox->EntryAt(point);
        dropIndex_ = entry >= 0 ? entry : BildanoListBox->Count();
    }
    rememberedScroll_ = bar->value();
    return true;
}

void TMainForm::BildanoListBoxDragDrop(const QPoint& point, QObject* source, const QMimeData* payload) {
    if (source == FileListBox) {
        const int entry = BildanoListBox->EntryAt(point);
        dropIndex_ = entry >= 0 ? entry : BildanoListBox->Count();
        AddSourcePictures(SourceNamesOf(payload), dropIndex_);
        if (BildanoListBox->Count() > 0) BildanoListBoxClick();
        sourceDrag_ = false;
        return;
    }
    if (source != BildanoListBox) return;
    // The entry picked up moves, and only while its row still holds the picture picked up.
    const DraggedAlbumRow dragged = AlbumRowOf(payload);
    const int target = BildanoListBox->EntryAt(point);
    const auto& pictures = store_->Pictures();
    if (target < 0 || dragged.row < 0 || static_cast<std::size_t>(dragged.row) >= pictures.size() ||
        pictures[static_cast<std::size_t>(dragged.row)].fileName != dragged.fileName)
        return;
    if (albumModel_->Move(dragged.row, target)) ListEdited();
    dropIndex_ = target;
}

void TMainForm::BildanoListBoxEndDrag(const QPoint& point) {
    held_ = false;
    if (!dragOver_) return;
    dragOver_ = false;
    QScrollBar* bar = BildanoListBox->verticalScrollBar();
    if (rememberedScroll_ != 1) bar->setValue(rememberedScroll_);
    rememberedScroll_ = 1;
    const int entry = BildanoListBox->EntryAt(point);
    SelectAlbumEntry(entry >= 0 ? entry : BildanoListBox->Count());
}

void TMainForm::BildanoListBoxKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control) held_ = true;
    if (event->key() == Qt::Key_Delete) SpeedButton3Click();
}

void TMainForm::BildanoListBoxKeyUp(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control) held_ = false;
}

}  // namespace wexbo
