// The album list as the window shows it: the store's pictures, one row each. Every edit goes
// through the store and reaches the views as the rows it inserts, removes, moves or changes, so a
// view keeps its scroll position, its selection and its current entry.
#pragma once

#include <QAbstractListModel>
#include <functional>

#include "album/album_store.h"

namespace wexbo {

class AlbumListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit AlbumListModel(AlbumStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    // The first of the rows, with its file name.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override;

    // Inserts a picture copied into the album at `position` (-1: at the end); `row` gets its row.
    StoreMessage Insert(AlbumPicture picture, long position, int* row = nullptr);
    // Removes the picture of `row` from the list and the album folder.
    StoreMessage Remove(int row);
    StoreMessage RemoveAll();
    // The picture of `from` takes the place of `to`. False when nothing moved.
    bool Move(int from, int to);
    // False when the caption was already this one.
    bool SetCaption(int row, const std::string& caption);
    // The picture of `row` changed on disk (a turn made a new thumbnail).
    void RowChanged(int row);
    // Runs work that replaces the whole list (another album opens), possibly on another thread:
    // until it is done the views see an empty list and never read the store.
    void Replace(const std::function<void()>& work);

private:
    bool ValidRow(int row) const { return row >= 0 && row < rowCount(); }

    AlbumStore& store_;
    bool replacing_ = false;
};

}  // namespace wexbo
