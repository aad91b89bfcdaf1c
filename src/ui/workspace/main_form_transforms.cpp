// The five picture transforms of the main window.
#include <QApplication>
#include <QMessageBox>

#include "imaging/lead_image.h"
#include "util/message_box.h"
#include "workspace/album_list_model.h"
#include "workspace/main_form.h"
#include "workspace/picture_transform.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {

void TMainForm::TransformAlbumPicture(const std::string& keyword) {
    const int index = BildanoListBox->CurrentRow();
    if (index < 0) return;
    if (!store_->EntryMayBeRewritten(static_cast<std::size_t>(index))) {
        // A picture list may name a file outside the album or a link: the album never rewrites it.
        const std::string& name = store_->Pictures()[static_cast<std::size_t>(index)].fileName;
        ShowMessage(this, MessageKind::Error,
                    QString::fromStdString("The picture " + name + " is not a file of the album folder " +
                                           store_->AlbumFolder() + "; it is left as it is."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TLEADImage work("LEADImage2");
    const TransformResult result =
        wexbo::TransformAlbumPicture(*store_, static_cast<std::size_t>(index), work, keyword);
    QApplication::restoreOverrideCursor();
    if (!result.ok) {
        ShowMessage(this, MessageKind::PlainError,
                    "An error occured in your application, \n" + QString::fromStdString(result.errorText));
        return;
    }
    albumModel_->RowChanged(index);
    ShowPreview(store_->CurrentPicturePath(), false, true);
    SelectAlbumEntry(index);
}

}  // namespace wexbo
