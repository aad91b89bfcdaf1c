#include "util/shell_open.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <QUrl>
#include <optional>

#include "fake_opener.h"
#include "temp_dir.h"

namespace wexbo {
namespace {

using test::FakeOpener;
using test::TempDir;
using test::WriteFile;

// Waits for the outcome an open reports.
template <typename Open>
std::optional<bool> Outcome(Open open) {
    std::optional<bool> outcome;
    open([&](bool opened) { outcome = opened; });
    if (!QTest::qWaitFor([&] { return outcome.has_value(); }, 10000)) ADD_FAILURE() << "no outcome";
    return outcome;
}

std::optional<bool> Shell(const QString& path) {
    return Outcome([&](OpenDone done) { ShellOpen(path, nullptr, std::move(done)); });
}
std::optional<bool> Desktop(const QString& target) {
    return Outcome([&](OpenDone done) { OpenWithDesktop(target, nullptr, std::move(done)); });
}

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
    EXPECT_EQ(Shell(file), true);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toLocalFile(), file);

    // No program for the type: the browser gets the file address, and that counts as opened.
    opened.clear();
    answers = {false, true};
    EXPECT_EQ(Shell(file), true);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1].scheme(), "file");
    EXPECT_EQ(opened[1].toLocalFile(), file);

    opened.clear();
    answers = {false, false};
    EXPECT_EQ(Shell(file), false);
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(ShellOpenTest, AddressesPassUnchanged) {
    EXPECT_EQ(Shell("https://example.org/a b?x=1"), true);
    WriteFile(dir / "slideshow.html", "<html></html>");
    const QString page = QUrl::fromLocalFile(Path("slideshow.html")).toString();
    EXPECT_EQ(Shell(page), true);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl("https://example.org/a b?x=1"));
    EXPECT_EQ(opened[1].toLocalFile(), Path("slideshow.html"));
}

TEST_F(ShellOpenTest, DesktopOpenRefusesWhatIsNotThere) {
    EXPECT_EQ(Desktop(""), false);
    EXPECT_EQ(Desktop("   "), false);
    EXPECT_EQ(Desktop(Path("missing/")), false);
    EXPECT_EQ(Desktop(QUrl::fromLocalFile(Path("missing.html")).toString()), false);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(Desktop(QString::fromStdString(dir.Path())), true);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QDir(opened[0].toLocalFile()), QDir(QString::fromStdString(dir.Path())));
    answers = {false};
    EXPECT_EQ(Desktop(QString::fromStdString(dir.Path())), false);
}

TEST_F(ShellOpenTest, BrowserGetsAnAddressAsItIs) {
    OpenUrlInDefaultBrowser("http://localhost:8080/gallery.html");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl("http://localhost:8080/gallery.html"));
}

// The desktop's own opener, run as a program: its exit status is the answer.
TEST(DesktopOpenerTest, TheOpenersExitStatusDecides) {
    TempDir dir;
    WriteFile(dir / "gallery page.html", "<html></html>");
    const QString page = QString::fromStdString(dir / "gallery page.html");
    {
        const FakeOpener opener(0);
        EXPECT_EQ(Desktop(page), true);
        EXPECT_EQ(opener.Asked(), dir / "gallery page.html\n");
    }
    {
        // "xdg-open: no method available": the first try and the browser fallback both fail.
        const FakeOpener opener(3);
        EXPECT_EQ(Shell(page), false);
        EXPECT_EQ(opener.Asked(), dir / "gallery page.html\n" + dir / "gallery page.html\n");
    }
}

TEST(DesktopOpenerTest, NoReportReachesAWindowThatIsGone) {
    TempDir dir;
    const FakeOpener opener(3);
    bool reported = false;
    auto receiver = std::make_unique<QObject>();
    OpenWithDesktop(QString::fromStdString(dir.Path()), receiver.get(), [&](bool) { reported = true; });
    receiver.reset();
    QTest::qWait(500);
    EXPECT_FALSE(reported);
    EXPECT_EQ(opener.Asked(), dir.Path() + "\n");  // the opener itself ran to its end
}

}  // namespace
}  // namespace wexbo
