#include "workspace/entry_delegate.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QListWidget>
#include <QPainter>

#include "temp_dir.h"
#include "workspace/list_roles.h"

namespace wexbo {
namespace {

using test::TempDir;

// A thumbnail file rewritten under the same name (a turn, a reopened album, another picture of the
// same name) is shown as it now is, never from memory.
TEST(EntryDelegateTest, AThumbnailRewrittenUnderItsNameIsReadAgain) {
    TempDir dir;
    const QString path = QString::fromStdString(dir / "_THUMB_a.jpg");
    QImage(40, 30, QImage::Format_RGB32).save(path, "JPG");
    EntryDelegate delegate(70);
    const QPixmap* first = delegate.Thumbnail(path);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->size(), QSize(40, 30));
    EXPECT_EQ(delegate.Thumbnail(path), first);  // unchanged: from memory

    QImage(30, 40, QImage::Format_RGB32).save(path, "JPG");
    const QPixmap* second = delegate.Thumbnail(path);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->size(), QSize(30, 40));
}

// In the album list the text of an upright picture starts where that of a wide one does, so turning
// a picture does not shift its text; in the source list the name goes under the picture.
TEST(EntryDelegateTest, TextStartsInOneColumnWhateverThePicturesShape) {
    const EntryDelegate album(70);
    const QRect row(4, 2, 400, 66);
    const auto wide = album.LayOutRow(row, {100, 66});
    const auto upright = album.LayOutRow(row, {50, 66});
    EXPECT_EQ(wide.text.left(), upright.text.left());
    EXPECT_GT(wide.text.left(), wide.picture.right());
    EXPECT_GT(upright.picture.left(), row.left());  // centred in the picture column
    EXPECT_EQ(album.LayOutRow(row, {200, 132}).picture.size(), QSize(100, 66));  // shrunk to fit

    const EntryDelegate source(150);
    const auto under = source.LayOutRow(QRect(4, 2, 200, 146), {70, 52});
    EXPECT_EQ(under.text.top(), under.picture.bottom() + 1 + 4);
    EXPECT_EQ(under.text.left(), 4);
}

// A listed picture whose thumbnail could not be made is drawn as broken; a row with no thumbnail
// to show draws no picture at all.
TEST(EntryDelegateTest, APictureWithoutItsThumbnailIsDrawnAsBroken) {
    TempDir dir;
    QListWidget list;
    list.resize(300, 300);
    auto* broken = new QListWidgetItem("phone.heic", &list);
    broken->setData(kThumbnailPathRole, QString::fromStdString(dir / "never_made.jpg"));
    auto* plain = new QListWidgetItem("plain", &list);
    const EntryDelegate delegate(70);
    auto draw = [&](QListWidgetItem* item) {
        QImage canvas(300, 70, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 300, 70);
        option.widget = &list;
        option.palette = list.palette();
        delegate.paint(&painter, option, list.model()->index(list.row(item), 0));
        painter.end();
        int reddish = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 100; ++x) {
                const QColor c = canvas.pixelColor(x, y);
                reddish += c.red() > 150 && c.green() < 100 && c.blue() < 100;
            }
        return reddish;
    };
    EXPECT_GT(draw(broken), 20);
    EXPECT_EQ(draw(plain), 0);
}

}  // namespace
}  // namespace wexbo
