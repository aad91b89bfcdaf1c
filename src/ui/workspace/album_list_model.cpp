#include "workspace/album_list_model.h"

#include "workspace/list_roles.h"

namespace wexbo {

AlbumListModel::AlbumListModel(AlbumStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {}

int AlbumListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || replacing_) return 0;
    return static_cast<int>(store_.Pictures().size());
}

QVariant AlbumListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !ValidRow(index.row())) return {};
    const AlbumPicture& picture = store_.Pictures()[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(picture.fileName);
        case Qt::AccessibleTextRole:
            return QString::fromStdString(picture.ListText());
        case kThumbnailPathRole:
            return QString::fromStdString(picture.thumbnailPath);
        case kFileNameRole:
            return QByteArray::fromStdString(picture.fileName);
        case kCaptionRole:
            return QString::fromStdString(picture.CaptionText());
        default:
            return {};
    }
}

Qt::ItemFlags AlbumListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList AlbumListModel::mimeTypes() const { return {kAlbumRowFormat, kSourceNamesFormat}; }

QMimeData* AlbumListModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty() || !ValidRow(indexes.first().row())) return nullptr;
    const int row = indexes.first().row();
    return AlbumRowPayload({row, store_.Pictures()[static_cast<std::size_t>(row)].fileName});
}

Qt::DropActions AlbumListModel::supportedDropActions() const { return Qt::CopyAction | Qt::MoveAction; }

StoreMessage AlbumListModel::Insert(AlbumPicture picture, long position, int* row) {
    const int at = static_cast<int>(InsertionRow(position, store_.Pictures().size()));
    beginInsertRows({}, at, at);
    StoreMessage message = store_.InsertPicture(std::move(picture), at);
    endInsertRows();
    if (row) *row = at;
    return message;
}

StoreMessage AlbumListModel::Remove(int row) {
    if (!ValidRow(row)) return {};
    beginRemoveRows({}, row, row);
    StoreMessage message = store_.RemovePictureFromAlbum(static_cast<std::size_t>(row));
    endRemoveRows();
    return message;
}

StoreMessage AlbumListModel::RemoveAll() {
    const int count = rowCount();
    if (count > 0) beginRemoveRows({}, 0, count - 1);
    StoreMessage message = store_.RemoveAllPictures();
    if (count > 0) endRemoveRows();
    return message;
}

bool AlbumListModel::Move(int from, int to) {
    if (!ValidRow(from) || !ValidRow(to) || from == to) return false;
    // Qt counts the destination before the move: below the picture's old place it is one further.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    const bool moved = store_.MovePicture(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    endMoveRows();
    return moved;
}

bool AlbumListModel::SetCaption(int row, const std::string& caption) {
    if (!ValidRow(row) || !store_.SetCaption(static_cast<std::size_t>(row), caption)) return false;
    RowChanged(row);
    return true;
}

void AlbumListModel::RowChanged(int row) {
    if (!ValidRow(row)) return;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
}

void AlbumListModel::Replace(const std::function<void()>& work) {
    beginResetModel();
    replacing_ = true;
    endResetModel();
    work();
    beginResetModel();
    replacing_ = false;
    endResetModel();
}

}  // namespace wexbo
