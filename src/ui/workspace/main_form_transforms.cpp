// The five picture transforms of the main window.
#include <QApplication>
#include <QMessageBox>

#include "imaging/lead_image.h"
#include "util/message_box.h"
#include "workspace/main_form.h"
#include "workspace/picture_transform.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {

void TMainForm::TransformAlbumPicture(const std::string& keyword) {
    const int index = BildanoListBox->currentRow();
    if (index < 0) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TLEADImage work("LEADImage2");
    const TransformResult result = wexbo::TransformAlbumPicture(*store_, static_cast<std::size_t>(index), work, keyword);
    QApplication::restoreOverrideCursor();
    if (!result.ok) {
        ShowMessage(this, MessageKind::PlainError,
                    "An error occured in your application, \n" + QString::fromStdString(result.errorText));
        return;
    }
    BildanoListBox->item(index)->setText(QString::fromStdString(store_->Entries()[static_cast<std::size_t>(index)]));
    ShowPreview(store_->CurrentPicturePath(), false, true);
    SelectAlbumEntry(index);
}

}  // namespace wexbo
