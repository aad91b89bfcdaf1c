#include "publish/webbroser_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "fake_opener.h"
#include "temp_dir.h"
#include "util/message_box.h"
#include "util/shell_open.h"

namespace wexbo {
namespace {

using test::TempDir;
using test::WriteFile;

struct AddressCase {
    const char* address;
    bool infoShown;
    bool documentShown;
};

void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.address; }

class NavigationNoticeTest : public testing::TestWithParam<AddressCase> {};

TEST_P(NavigationNoticeTest, InfoPanelAndDocumentFlagFollowTheAddress) {
    TWebbroserForm form;
    form.WebBrowserNavigateComplete2(GetParam().address);
    EXPECT_EQ(form.CurrentPage(), GetParam().address);
    EXPECT_EQ(!form.SlidshowInfoPanel->isHidden(), GetParam().infoShown);
    EXPECT_EQ(form.DocumentShown(), GetParam().documentShown);
}

INSTANTIATE_TEST_SUITE_P(Preview, NavigationNoticeTest,
                         testing::Values(AddressCase{"file:///tmp/out/gallery.html", false, false},
                                         AddressCase{"file:///tmp/out/slideshow.html", true, false},
                                         AddressCase{"file:///tmp/out/SLIDESHOW.HTML", false, false},
                                         AddressCase{"https://example.org/slideshow.html?x=1", true, false},
                                         AddressCase{"file:///tmp/out/manual.pdf", false, true},
                                         AddressCase{"file:///tmp/out/Letter.Doc", false, true},
                                         AddressCase{"file:///tmp/out/letter.docx", false, true},
                                         AddressCase{"file:///tmp/pdfs/page.html", false, false}));

// A small generated gallery: overview, slideshow and a page whose address reads as a document.
class PreviewTest : public testing::Test {
protected:
    PreviewTest() {
        WriteFile(dir / "out/gallery.html",
                  "<html><body><a id='s' href='slideshow.html'>Slideshow</a>"
                  "<a id='d' href='report.pdf.html'>Report</a></body></html>");
        WriteFile(dir / "out/slideshow.html", "<html><body>slides</body></html>");
        WriteFile(dir / "out/report.pdf.html", "<html><body>document</body></html>");
        SetUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        form.SetWindowTitle("Wexbo 10 - Summer");
        form.SetStartPage(QString::fromStdString(dir / "out/gallery.html"));
        form.SetInfoText("Info: Slide show only works in \"Standard Browser\" or online!");
    }
    ~PreviewTest() override { SetUrlOpener({}); }

    bool WaitForPage(const QString& name) {
        return QTest::qWaitFor(
            [&] { return lastLoaded.fileName() == name && form.CurrentPage().endsWith(name); }, 10000);
    }
    void Follow(const char* linkId) {
        form.WebBrowser->page()->runJavaScript(QString("document.getElementById('%1').click()").arg(linkId));
    }
    void SetUpLoadTracking() {
        QObject::connect(form.WebBrowser, &QWebEngineView::loadStarted, [this] { lastLoaded.clear(); });
        QObject::connect(form.WebBrowser, &QWebEngineView::loadFinished,
                         [this] { lastLoaded = form.WebBrowser->url(); });
    }

    TempDir dir;
    TWebbroserForm form;
    QList<QUrl> opened;
    QUrl lastLoaded;  // the page whose load finished last
};

TEST_F(PreviewTest, SlideshowNoticeFollowsTheGalleryPagesAndF9OpensTheCurrentOne) {
    SetUpLoadTracking();
    form.show();
    EXPECT_EQ(form.windowTitle(), "Wexbo 10 - Summer");
    ASSERT_TRUE(WaitForPage("gallery.html"));
    EXPECT_TRUE(form.SlidshowInfoPanel->isHidden());
    EXPECT_FALSE(form.SpeedButton1->isEnabled());

    Follow("s");
    ASSERT_TRUE(WaitForPage("slideshow.html"));
    EXPECT_TRUE(form.SlidshowInfoPanel->isVisible());
    EXPECT_TRUE(form.SpeedButton1->isEnabled());
    EXPECT_FALSE(form.SpeedButton2->isEnabled());
    EXPECT_EQ(form.SlidshowInfoPanel->text(),
              "Info: Slide show only works in \"Standard Browser\" or online!");

    QTest::keyClick(form.WebBrowser->focusProxy(), Qt::Key_F9);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toLocalFile(), QString::fromStdString(dir / "out/slideshow.html"));

    form.SpeedButton1->click();  // back
    ASSERT_TRUE(WaitForPage("gallery.html"));
    EXPECT_TRUE(form.SlidshowInfoPanel->isHidden());
    form.SpeedButton2->click();  // forward
    ASSERT_TRUE(WaitForPage("slideshow.html"));
    EXPECT_TRUE(form.SlidshowInfoPanel->isVisible());
    form.SpeedButton2->click();  // nothing further: ignored
    QTest::qWait(50);
    EXPECT_EQ(form.WebBrowser->url().fileName(), "slideshow.html");

    QTest::keyClick(form.WebBrowser->focusProxy(), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PreviewTest, F9WithoutAProgramForThePageSaysSo) {
    SetUrlOpener({});
    const test::FakeOpener opener(3);
    QStringList messages;
    SetMessageHandler([&](MessageKind, const QString& text) {
        messages << text;
        return true;
    });
    SetUpLoadTracking();
    form.show();
    ASSERT_TRUE(WaitForPage("gallery.html"));
    QTest::keyClick(form.WebBrowser->focusProxy(), Qt::Key_F9);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 10000));
    SetMessageHandler({});
    EXPECT_EQ(messages,
              QStringList{"Unable to start. Make sure you have it properly set-up on your system."});
    EXPECT_NE(opener.Asked().find(dir / "out/gallery.html"), std::string::npos) << opener.Asked();
    form.close();
}

TEST_F(PreviewTest, ClosingOnADocumentStepsBackAndTheNextShowingStartsAfresh) {
    SetUpLoadTracking();
    form.show();
    ASSERT_TRUE(WaitForPage("gallery.html"));
    Follow("d");
    ASSERT_TRUE(WaitForPage("report.pdf.html"));
    EXPECT_TRUE(form.DocumentShown());

    form.SpeedButton4->click();
    EXPECT_FALSE(form.isVisible());
    ASSERT_TRUE(WaitForPage("gallery.html"));

    // A second showing: no flag, no history of the first.
    form.show();
    EXPECT_FALSE(form.DocumentShown());
    ASSERT_TRUE(WaitForPage("gallery.html"));
    EXPECT_FALSE(form.WebBrowser->history()->canGoBack());
    form.close();
}

}  // namespace
}  // namespace wexbo
