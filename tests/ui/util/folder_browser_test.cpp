#include "util/folder_browser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "temp_dir.h"

namespace wexbo {
namespace {

using test::TempDir;

struct ExecuteCase {
    const char* initial;
    std::optional<std::string> answer;  // nothing = cancel
    const char* expectedInitial;
    bool expectedResult;
    const char* expectedFolder;
};

void PrintTo(const ExecuteCase& c, std::ostream* os) {
    *os << "\"" << c.initial << "\" -> " << (c.answer ? "\"" + *c.answer + "\"" : std::string("cancel"));
}

class ExecuteTest : public testing::TestWithParam<ExecuteCase> {
protected:
    ~ExecuteTest() override { SetFolderDialogAnswer({}); }
};

TEST_P(ExecuteTest, TrailingSeparatorsAndCancel) {
    const ExecuteCase& c = GetParam();
    std::string seenInitial = "not asked";
    SetFolderDialogAnswer([&](const TFolderBrowser& browser) {
        seenInitial = browser.InitialFolder;
        EXPECT_TRUE(browser.NewStyle);
        EXPECT_FALSE(browser.IncludeFiles);
        EXPECT_EQ(browser.Title, "");
        return c.answer;
    });
    TDirectoryDialog_QVB dialog;
    dialog.ChosenFolder = "/left/over/";
    EXPECT_EQ(dialog.Execute(true, false, c.initial, ""), c.expectedResult);
    EXPECT_EQ(seenInitial, c.expectedInitial);
    EXPECT_EQ(dialog.ChosenFolder, c.expectedFolder);
}

INSTANTIATE_TEST_SUITE_P(
    FolderPicker, ExecuteTest,
    testing::Values(
        ExecuteCase{"/home/u/out", std::string("/home/u/web"), "/home/u/out/", true, "/home/u/web/"},
        ExecuteCase{"/home/u/out/", std::string("/home/u/web/"), "/home/u/out/", true, "/home/u/web/"},
        ExecuteCase{"", std::string("/"), "", true, "/"},
        ExecuteCase{"/home/u/out/", std::nullopt, "/home/u/out/", false, ""},
        // An item without a folder path still counts as chosen, with nothing to show.
        ExecuteCase{"/x/", std::string(""), "/x/", true, ""}));

// The real dialog: opens on the initial folder (or the nearest folder that exists), offers no
// new-folder button in the old style, and hands back the folder the user went to.
TEST(FolderBrowserTest, TheDialogOpensWhereAskedAndReturnsTheChoice) {
    TempDir dir;
    std::filesystem::create_directories(dir / "albums/web");
    const QString start = QString::fromStdString(dir / "albums/not yet/made/");
    QString seenDirectory;
    bool readOnly = false;
    bool appModal = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seenDirectory = dialog->directory().absolutePath();
        readOnly = dialog->testOption(QFileDialog::ReadOnly);
        appModal = dialog->windowModality() == Qt::ApplicationModal;
        dialog->setDirectory(QString::fromStdString(dir / "albums/web"));
        static_cast<QDialog*>(dialog)->accept();
    });
    TDirectoryDialog_QVB picker;
    EXPECT_TRUE(picker.Execute(false, false, start.toStdString(), "Pick"));
    EXPECT_EQ(seenDirectory, QString::fromStdString(dir / "albums"));
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(appModal);
    EXPECT_EQ(picker.ChosenFolder, dir / "albums/web/");

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(picker.Execute(true, false, dir.Path(), ""));
    EXPECT_EQ(picker.ChosenFolder, "");
}

// The output folder before the first gallery does not exist yet: the dialog shows its parent, and
// accepting at once keeps the folder asked for, not the parent full of other files.
TEST(FolderBrowserTest, AcceptingAtOnceKeepsAFolderStillToBeMade) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Documents");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    TDirectoryDialog_QVB picker;
    EXPECT_TRUE(picker.Execute(true, false, dir / "Documents/HTML-Gallery/", ""));
    EXPECT_EQ(picker.ChosenFolder, dir / "Documents/HTML-Gallery/");
}

}  // namespace
}  // namespace wexbo
