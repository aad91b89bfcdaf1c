#include "publish/anweisung_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "fake_opener.h"
#include "temp_dir.h"
#include "util/message_box.h"
#include "util/shell_open.h"

namespace wexbo {
namespace {

using test::TempDir;

class InstructionsTest : public testing::Test {
protected:
    InstructionsTest() {
        SetUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        SetMessageHandler([this](MessageKind, const QString& text) {
            messages << text;
            return true;
        });
    }
    ~InstructionsTest() override {
        SetUrlOpener({});
        SetMessageHandler({});
    }
    TempDir dir;
    QList<QUrl> opened;
    QStringList messages;
};

TEST_F(InstructionsTest, CopyAndOpenUseTheFolderAsTheUserLeftIt) {
    TAnweisungForm form;
    form.Prepare("/home/u/Documents/HTML-Gallery/", "Wexbo 10 - Summer");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.windowTitle(), "Wexbo 10 - Summer");
    EXPECT_EQ(form.focusWidget(), form.CopyBitBtn);
    form.CopyBitBtn->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "/home/u/Documents/HTML-Gallery/");

    // The user types another folder: both buttons take it.
    const QString edited = QString::fromStdString(dir.Path()) + "Web Gälerie/";
    QDir().mkpath(edited);
    form.Edit1->selectAll();
    form.Edit1->insert(edited);
    form.CopyBitBtn->click();
    EXPECT_EQ(QApplication::clipboard()->text(), edited);
    form.BitBtn2->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), edited.toStdString());
    EXPECT_TRUE(messages.isEmpty());

    form.BitBtn3->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(InstructionsTest, AFolderThatCannotBeOpenedIsReported) {
    TAnweisungForm form;
    form.Prepare(QString::fromStdString(dir / "never made/"), "Wexbo 10 - Summer");
    form.show();
    form.BitBtn2->click();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(messages,
              QStringList{"Unable to start. Make sure you have it properly set-up on your system."});
    EXPECT_TRUE(form.isVisible());
}

// With no program set up for folders, the desktop's opener starts and fails: that is reported too,
// once it has ended, while the window went on taking input.
TEST_F(InstructionsTest, AnOpenerThatFindsNoProgramIsReported) {
    SetUrlOpener({});
    const test::FakeOpener opener(3);
    TAnweisungForm form;
    form.Prepare(QString::fromStdString(dir.Path()), "Wexbo 10 - Summer");
    form.show();
    form.BitBtn2->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 10000));
    EXPECT_EQ(messages,
              QStringList{"Unable to start. Make sure you have it properly set-up on your system."});
    EXPECT_EQ(opener.Asked(), dir.Path() + "\n");
    EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace wexbo
