// Every window of the desktop program opened and closed again and again on a real X server, as a
// person would: the generator with its button chooser, instructions and preview, the album
// dialogs and the About window.
#include "app/desktop_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWebEngineView>

#include "album/new_form.h"
#include "album/open_form.h"
#include "app/language_table.h"
#include "gallery/butto_webbroser_form.h"
#include "program_copy.h"
#include "publish/anweisung_form.h"
#include "publish/webbroser_form.h"
#include "temp_dir.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "window_script.h"
#include "workspace/about_form.h"
#include "workspace/thumbnail_lists.h"

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::Shown;
using test::TempDir;
using test::WindowScript;

template <typename Window>
Window* ModalWindow() {
    return qobject_cast<Window*>(QApplication::activeModalWidget());
}

// The program's windows over a private program folder, home and temporary folder.
class DesktopWindowsTest : public testing::Test {
protected:
    DesktopWindowsTest() {
        ::setenv("HOME", home.Path().c_str(), 1);
        ::setenv("TMPDIR", (home / "tmp").c_str(), 1);
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR"})
            ::unsetenv(name);
        test::WriteFile(home / "tmp/.keep", "");
        SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()));
        // Messages would wait for a person; none is expected on these paths.
        SetMessageHandler([this](MessageKind, const QString& text) {
            messages << text;
            return false;
        });
        windows = std::make_unique<DesktopWindows>(TWindowsInfo::FromEnvironment(), program.Folders());
        windows->mainForm.PlaceOnScreen();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&windows->mainForm));
    }
    ~DesktopWindowsTest() override {
        windows.reset();
        SetMessageHandler({});
    }

    ProgramCopy program;
    TempDir home;
    QStringList messages;
    std::unique_ptr<DesktopWindows> windows;
};

TEST_F(DesktopWindowsTest, EveryWindowOpensAndClosesThreeTimesInARow) {
    TMainForm& main = windows->mainForm;
    THTMLForm& generator = windows->htmlForm;
    TButtoWebbroserForm* chooser = generator.ButtonChooser();
    TWebbroserForm* preview = generator.Preview();
    int chooserPages = 0, previewPages = 0;
    QObject::connect(chooser->WebBrowser, &QWebEngineView::loadFinished, [&] { ++chooserPages; });
    QObject::connect(preview->WebBrowser, &QWebEngineView::loadFinished, [&] { ++previewPages; });
    main.BeispielBitBtn->click();
    ASSERT_EQ(main.BildanoListBox->Count(), 5);

    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const int chooserBefore = chooserPages, previewBefore = previewPages;
        WindowScript generatorScript;
        generatorScript
            .Then(
                "the generator", [&] { return Shown(&generator); },
                [&] { generator.ButtonAdvGlowButton->click(); })
            .Then(
                "the button chooser with its page",
                [&] { return Shown(chooser) && chooserPages > chooserBefore; },
                [&] { chooser->BitBtn3->click(); })
            .Then(
                "the generator again", [&] { return !chooser->isVisible(); },
                [&] { generator.BitBtn2->click(); })
            .Then(
                "the instructions", [&] { return Shown(ModalWindow<TAnweisungForm>()); },
                [&] { QTest::keyClick(ModalWindow<TAnweisungForm>(), Qt::Key_Escape); })
            .Then(
                "the generator after the instructions", [&] { return ModalWindow<THTMLForm>() != nullptr; },
                [&] { generator.BitBtn1->click(); })
            .Then(
                "the preview with the gallery",
                [&] { return Shown(preview) && previewPages > previewBefore; },
                [&] { QTest::keyClick(preview->WebBrowser->focusProxy(), Qt::Key_Escape); })
            .Then(
                "the generator after the preview", [&] { return !preview->isVisible(); },
                [&] { generator.BitBtn3->click(); });
        generatorScript.Start();
        main.CreateBitBtn->click();  // returns when the generator has closed
        EXPECT_TRUE(generatorScript.Finished()) << generatorScript.Failure().toStdString();
        EXPECT_FALSE(generator.isVisible());

        WindowScript albumScript;
        albumScript
            .Then(
                "the album chooser", [&] { return Shown(main.OpenForm); },
                [&] {
                    main.OpenForm->OpenListBox->setCurrentRow(0);
                    main.OpenForm->OpenBitBtn->click();
                })
            .Then(
                "the main window", [] { return QApplication::activeModalWidget() == nullptr; },
                [&] { main.NewBildano1Click(); })
            .Then(
                "the new-album dialog", [&] { return Shown(main.NewForm); },
                [&] { QTest::keyClick(main.NewForm, Qt::Key_Escape); })
            .Then(
                "the main window again", [] { return QApplication::activeModalWidget() == nullptr; },
                [&] { main.DeleteBildano1Click(); })
            .Then(
                "the album chooser to delete", [&] { return Shown(main.OpenForm); },
                [&] { main.OpenForm->BitBtn2->click(); })
            .Then(
                "the main window once more", [] { return QApplication::activeModalWidget() == nullptr; },
                [&] { main.Info1Click(); })
            .Then(
                "the About window", [&] { return Shown(ModalWindow<TAboutForm>()); },
                [&] { ModalWindow<TAboutForm>()->OkButton->click(); });
        albumScript.Start();
        main.OpenBildano1Click();  // the script goes on after it returns
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return albumScript.Finished() || !albumScript.Failure().isEmpty(); }, 60000));
        EXPECT_TRUE(albumScript.Finished()) << albumScript.Failure().toStdString();
        EXPECT_EQ(main.BildanoListBox->Count(), 5);
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
}  // namespace wexbo
