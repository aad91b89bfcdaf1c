#include "workspace/list_roles.h"

#include <QDataStream>
#include <QIODevice>

namespace wexbo {

QMimeData* SourceNamesPayload(const std::vector<std::string>& names) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << static_cast<quint32>(names.size());
    for (const std::string& name : names) stream << QByteArray::fromStdString(name);
    auto* payload = new QMimeData;
    payload->setData(kSourceNamesFormat, bytes);
    return payload;
}

std::vector<std::string> SourceNamesOf(const QMimeData* payload) {
    std::vector<std::string> names;
    if (!payload || !payload->hasFormat(kSourceNamesFormat)) return names;
    QDataStream stream(payload->data(kSourceNamesFormat));
    quint32 count = 0;
    stream >> count;
    for (quint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        QByteArray name;
        stream >> name;
        if (stream.status() == QDataStream::Ok) names.push_back(name.toStdString());
    }
    return names;
}

QMimeData* AlbumRowPayload(const DraggedAlbumRow& dragged) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << static_cast<qint32>(dragged.row) << QByteArray::fromStdString(dragged.fileName);
    auto* payload = new QMimeData;
    payload->setData(kAlbumRowFormat, bytes);
    return payload;
}

DraggedAlbumRow AlbumRowOf(const QMimeData* payload) {
    if (!payload || !payload->hasFormat(kAlbumRowFormat)) return {};
    QDataStream stream(payload->data(kAlbumRowFormat));
    qint32 row = -1;
    QByteArray name;
    stream >> row >> name;
    if (stream.status() != QDataStream::Ok) return {};
    return {row, name.toStdString()};
}

}  // namespace wexbo
