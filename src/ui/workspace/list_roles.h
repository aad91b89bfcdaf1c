// What the two thumbnail lists keep per row besides the shown name, and what their drags carry.
#pragma once

#include <QMimeData>
#include <Qt>
#include <string>
#include <vector>

namespace wexbo {

enum ListRole {
    kThumbnailPathRole = Qt::UserRole + 1,  // QString: the thumbnail file the row shows
    kFileNameRole,                          // QByteArray: the file name exactly as on disk
    kCaptionRole,                           // QString: the caption ("" when there is none)
};

// A drag from the source list: the names of the pictures to add.
inline constexpr const char* kSourceNamesFormat = "application/x-wexbo-source-names";
// A drag within the album list: the row dragged and its file name, so a drop never moves another
// picture than the one picked up.
inline constexpr const char* kAlbumRowFormat = "application/x-wexbo-album-row";

struct DraggedAlbumRow {
    int row = -1;
    std::string fileName;
};

QMimeData* SourceNamesPayload(const std::vector<std::string>& names);
std::vector<std::string> SourceNamesOf(const QMimeData* payload);
QMimeData* AlbumRowPayload(const DraggedAlbumRow& dragged);
// Row -1 when the payload holds no album row.
DraggedAlbumRow AlbumRowOf(const QMimeData* payload);

}  // namespace wexbo
