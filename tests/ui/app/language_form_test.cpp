#include "app/language_form.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "temp_dir.h"
#include "util/ini_file.h"
#include "util/message_box.h"

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class LanguageFormTest : public testing::Test {
protected:
    LanguageFormTest() {
        WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nLanguage=ENGLISH\r\nDrive=C\r\n");
        SetMessageHandler([this](MessageKind, const QString& text) {
            messages << text;
            return true;
        });
    }
    ~LanguageFormTest() override { SetMessageHandler({}); }
    TempDir dir;
    QStringList messages;
};

TEST_F(LanguageFormTest, FirstStartRefusesToCloseUntilAFlagIsClicked) {
    TLanguageForm form(QString::fromStdString(dir.Path()));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.close();
    QTest::qWait(10);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(messages, QStringList{"Please select your language!"});
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(messages.size(), 2);

    QTest::mouseClick(form.FRANCEImage, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Chosen(), Language::French);
    EXPECT_EQ(IniFile::Read(dir / "Generator.ini", "SETTINGS", "Language", ""), "FRANCE");
    EXPECT_EQ(IniFile::Read(dir / "Generator.ini", "SETTINGS", "Drive", ""), "C");
    EXPECT_EQ(ReadFile(dir / "LanguageIsSet.ini"), "FRANCE\r\n");
}

TEST_F(LanguageFormTest, AFlagCanBeChosenWithTheKeyboard) {
    TLanguageForm form(QString::fromStdString(dir.Path()));
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.focusWidget(), form.GERMANImage);
    QTest::keyClick(form.focusWidget(), Qt::Key_Right);
    QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form.focusWidget(), form.FRANCEImage);
    QTest::keyClick(form.focusWidget(), Qt::Key_Left);
    EXPECT_EQ(form.focusWidget(), form.ENGLISHImage);
    QTest::keyClick(form.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Chosen(), Language::English);
    EXPECT_EQ(ReadFile(dir / "LanguageIsSet.ini"), "ENGLISH\r\n");
}

TEST_F(LanguageFormTest, FlagsStandWhereTheDesignPutsThem) {
    TLanguageForm form(QString::fromStdString(dir.Path()));
    EXPECT_EQ(form.size(), QSize(449, 277));
    EXPECT_EQ(form.windowTitle(), "Language");
    EXPECT_EQ(form.GERMANImage->geometry(), QRect(56, 152, 45, 30));
    EXPECT_EQ(form.SPAINImage->geometry(), QRect(344, 152, 45, 30));
    EXPECT_EQ(form.ITALIANImage->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LanguageFormTest, SecondStartClosesItselfAndWritesNothing) {
    WriteFile(dir / "LanguageIsSet.ini", "FRANCE\r\n");
    WriteFile(dir / "Generator.ini", "[SETTINGS]\r\nLanguage=SPAIN\r\n");  // edited meanwhile
    {
        TLanguageForm form(QString::fromStdString(dir.Path()));
        EXPECT_EQ(form.Execute(), QDialog::Accepted);  // returns at once, nothing shown
        EXPECT_TRUE(form.AlreadyChosen());
        EXPECT_FALSE(form.isVisible());
    }
    {
        // Shown all the same, it closes itself within a timer tick and its modal loop ends.
        TLanguageForm form(QString::fromStdString(dir.Path()));
        QTimer::singleShot(2000, &form,
                           [&form] { form.FlagClick(Language::German); });  // a guard, never needed
        const QElapsedTimer clock = [] {
            QElapsedTimer t;
            t.start();
            return t;
        }();
        form.exec();
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_TRUE(form.AlreadyChosen());
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(ReadFile(dir / "Generator.ini"), "[SETTINGS]\r\nLanguage=SPAIN\r\n");
    EXPECT_EQ(ReadFile(dir / "LanguageIsSet.ini"), "FRANCE\r\n");
}

}  // namespace
}  // namespace wexbo
