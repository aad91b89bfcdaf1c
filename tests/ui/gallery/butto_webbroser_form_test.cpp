#include "gallery/butto_webbroser_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QWebEngineView>

#include "temp_dir.h"
#include "util/message_box.h"

namespace wexbo {
namespace {

using test::TempDir;
using test::WriteFile;

class ChooserTest : public testing::Test {
protected:
    ChooserTest() {
        WriteFile(dir / "buttons/01/test.html",
                  "<html><head><title>All button sets</title></head><body>01 02 03</body></html>");
        SetMessageHandler([this](MessageKind kind, const QString& text) {
            EXPECT_EQ(kind, MessageKind::Information);
            messages << text;
            return true;
        });
        form.SetPage(QString::fromStdString(dir / "buttons/01/test.html"));
    }
    ~ChooserTest() override { SetMessageHandler({}); }
    TempDir dir;
    TButtoWebbroserForm form;
    QStringList messages;
};

TEST_F(ChooserTest, ListAndPageAsTheUserFindsThem) {
    EXPECT_EQ(form.windowTitle(), "Select Buttons");
    ASSERT_EQ(form.ComboBox1->count(), 28);
    EXPECT_EQ(form.ComboBox1->itemText(0), "1");
    EXPECT_EQ(form.ComboBox1->itemText(27), "28");
    EXPECT_EQ(form.SelectedIndex(), -1);
    EXPECT_EQ(form.ComboBox1->placeholderText(), "-- Number of the buttons --");
    form.show();
    EXPECT_EQ(form.WebBrowser->url().toLocalFile(), QString::fromStdString(dir / "buttons/01/test.html"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.WebBrowser->title() == "All button sets"; }, 10000));
    EXPECT_TRUE(form.WebBrowser->hasFocus() || form.WebBrowser->focusProxy()->hasFocus());
}

TEST_F(ChooserTest, ClosesOnlyAfterAnAcceptedOk) {
    form.show();
    form.close();
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());

    form.BitBtn3->click();  // nothing chosen yet
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(messages, QStringList{"Please choose a number for the buttons in the selection box!"});

    form.ComboBox1->setCurrentIndex(6);
    form.BitBtn3->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.SelectedIndex(), 6);
    EXPECT_EQ(form.result(), QDialog::Accepted);

    // From now on the window closes by any means, and keeps its selection.
    form.show();
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.SelectedIndex(), 6);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(ChooserTest, AStoredIndexOutsideTheSetsSelectsTheFirst) {
    for (int stored : {-1, 28, 1000}) {
        form.SelectIndex(stored);
        EXPECT_EQ(form.SelectedIndex(), 0) << stored;
    }
    form.SelectIndex(27);
    EXPECT_EQ(form.SelectedIndex(), 27);
}

}  // namespace
}  // namespace wexbo
