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

}  // namespace
}  // namespace wexbo
