#include "util/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace wexbo {
namespace {

// The real box: the key a person presses without reading goes to the default button.
bool AnswerWithKey(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, key);
    });
    return ShowMessage(nullptr, MessageKind::Question, "Remove everything?");
}

TEST(MessageBoxTest, EnterOnAQuestionAnswersNo) { EXPECT_FALSE(AnswerWithKey(Qt::Key_Return)); }

TEST(MessageBoxTest, YesIsOnlyAnExplicitChoice) { EXPECT_TRUE(AnswerWithKey(Qt::Key_Y)); }

}  // namespace
}  // namespace wexbo
