#include "workspace/entry_delegate.h"

#include <gtest/gtest.h>

#include <QImage>

#include "temp_dir.h"

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

}  // namespace
}  // namespace wexbo
