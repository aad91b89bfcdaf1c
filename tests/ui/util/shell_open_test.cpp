#include <gtest/gtest.h>

#include <QDir>
#include <QUrl>

#include "temp_dir.h"
#include "util/shell_open.h"

namespace wexbo {
namespace {

using test::TempDir;
using test::WriteFile;

// Records what would have been opened; the desktop's answer is set per test.
class ShellOpenTest : public testing::Test {
protected:
    ShellOpenTest() {
        SetUrlOpener([this](const QUrl& url) {
            opened << url;
            return answers.isEmpty() ? true : answers.takeFirst();
        });
    }
    ~ShellOpenTest() override { SetUrlOpener({}); }
    QString Path(const std::string& name) const { return QString::fromStdString(dir / name); }

    TempDir dir;
    QList<QUrl> opened;
    QList<bool> answers;
};

TEST_F(ShellOpenTest, AFileOpensAsItselfAndFallsBackToItsFileAddress) {
    WriteFile(dir / "mein Bild ä.xyz", "x");
    const QString file = Path("mein Bild ä.xyz");
    EXPECT_TRUE(ShellOpen(file));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toLocalFile(), file);

    // No program for the type: the browser gets the file address, and that counts as opened.
    opened.clear();
    answers = {false, true};
    EXPECT_TRUE(ShellOpen(file));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1].scheme(), "file");
    EXPECT_EQ(opened[1].toLocalFile(), file);

    opened.clear();
    answers = {false, false};
    EXPECT_FALSE(ShellOpen(file));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(ShellOpenTest, AddressesPassUnchanged) {
    EXPECT_TRUE(ShellOpen("https://example.org/a b?x=1"));
    WriteFile(dir / "slideshow.html", "<html></html>");
    const QString page = QUrl::fromLocalFile(Path("slideshow.html")).toString();
    EXPECT_TRUE(ShellOpen(page));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl("https://example.org/a b?x=1"));
    EXPECT_EQ(opened[1].toLocalFile(), Path("slideshow.html"));
}

TEST_F(ShellOpenTest, DesktopOpenRefusesWhatIsNotThere) {
    EXPECT_FALSE(OpenWithDesktop(""));
    EXPECT_FALSE(OpenWithDesktop("   "));
    EXPECT_FALSE(OpenWithDesktop(Path("missing/")));
    EXPECT_FALSE(OpenWithDesktop(QUrl::fromLocalFile(Path("missing.html")).toString()));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(OpenWithDesktop(QString::fromStdString(dir.Path())));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QDir(opened[0].toLocalFile()), QDir(QString::fromStdString(dir.Path())));
    answers = {false};
    EXPECT_FALSE(OpenWithDesktop(QString::fromStdString(dir.Path())));
}

TEST_F(ShellOpenTest, BrowserGetsAnAddressAsItIs) {
    OpenUrlInDefaultBrowser("http://localhost:8080/gallery.html");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl("http://localhost:8080/gallery.html"));
}

}  // namespace
}  // namespace wexbo
