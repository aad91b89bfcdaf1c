#include "publish/anweisung_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "fake_opener.h"
#include "publish/upload_settings.h"
#include "temp_dir.h"
#include "util/message_box.h"
#include "util/shell_open.h"

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

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

// The upload part, typed into as a user does: a gallery goes up to a folder, a repeat sends
// nothing, the destination is remembered in the album's settings file, never the password.
TEST_F(InstructionsTest, TheGalleryGoesUpOnlyWhatChangedAndTheDestinationIsRemembered) {
    for (const char* name : {"a.jpg", "a_thumb.jpg", "a.html", "gallery.html", "layout.css"})
        WriteFile(dir / ("gallery/" + std::string(name)), std::string("bytes of ") + name);
    const std::string settings = dir / "Gallery_Gal_0001.ini";
    WriteFile(settings, "[SETTINGS]\r\nPicProRow=3\r\n");
    TAnweisungForm form;
    form.SetRecordFolder(dir / "data/uploads/");
    form.Prepare(QString::fromStdString(dir / "gallery/"), "Wexbo 10 - Summer",
                 QString::fromStdString(settings));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::keyClicks(form.DestinationEdit, QString::fromStdString(dir / "web space/gallery/"));
    QTest::keyClicks(form.PasswordEdit, "never kept");
    form.UploadButton->click();
    EXPECT_TRUE(form.CancelButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.Busy() && form.UploadButton->isEnabled(); }, 10000));
    EXPECT_EQ(form.OutcomeLabel->text(), "The gallery is on the server: 5 files sent, 0 removed.");
    EXPECT_EQ(ReadFile(dir / "web space/gallery/gallery.html"), "bytes of gallery.html");
    EXPECT_FALSE(form.CancelButton->isEnabled());
    EXPECT_EQ(form.focusWidget(), form.UploadButton);  // not the folder field above

    form.UploadButton->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.Busy() && form.UploadButton->isEnabled(); }, 10000));
    EXPECT_EQ(form.OutcomeLabel->text(), "Nothing changed since the last upload.");

    const UploadSettings remembered = ReadUploadSettings(settings);
    EXPECT_EQ(remembered.destination, dir / "web space/gallery/");
    EXPECT_EQ(ReadFile(settings).find("never kept"), std::string::npos);
    EXPECT_NE(ReadFile(settings).find("PicProRow=3"), std::string::npos);
    TAnweisungForm again;
    again.Prepare(QString::fromStdString(dir / "gallery/"), "Wexbo 10 - Summer",
                  QString::fromStdString(settings));
    EXPECT_EQ(again.DestinationEdit->text().toStdString(), dir / "web space/gallery/");
    EXPECT_TRUE(again.PasswordEdit->text().isEmpty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(InstructionsTest, AFailedConnectionAndAClearTextRefusalAreSaidInPlainWords) {
    TAnweisungForm form;
    form.SetRecordFolder(dir / "data/uploads/");
    form.Prepare(QString::fromStdString(dir.Path()), "Wexbo 10 - Summer");
    form.show();
    // Nothing listens on port 1 of this machine.
    form.DestinationEdit->setText("sftp://127.0.0.1:1/~/www/");
    form.UserEdit->setText("anna");
    form.TestButton->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.Busy() && form.TestButton->isEnabled(); }, 30000));
    EXPECT_TRUE(form.OutcomeLabel->text().startsWith("The upload failed: "))
        << form.OutcomeLabel->text().toStdString();
    EXPECT_TRUE(form.OutcomeLabel->text().contains("127.0.0.1")) << form.OutcomeLabel->text().toStdString();

    // ftp:// asks first; "No" starts nothing.
    SetMessageHandler([this](MessageKind kind, const QString& text) {
        messages << text;
        return kind != MessageKind::Question;
    });
    form.OutcomeLabel->clear();
    form.DestinationEdit->setText("ftp://127.0.0.1:1/www/");
    form.UploadButton->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("readable by anyone")) << messages[0].toStdString();
    EXPECT_FALSE(form.Busy());
    EXPECT_TRUE(form.OutcomeLabel->text().isEmpty());

    form.DestinationEdit->setText("gallery/relative");
    form.UploadButton->click();
    EXPECT_TRUE(form.OutcomeLabel->text().contains("must be a full path"))
        << form.OutcomeLabel->text().toStdString();
}

}  // namespace
}  // namespace wexbo
