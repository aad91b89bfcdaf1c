#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

#include "html_form_fixture.h"
#include "publish/webbroser_form.h"
#include "util/ini_file.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ReadFile;
using test::WriteFile;

// What the preview showed when the run opened it.
struct PreviewSeen {
    bool shown = false;
    QString startPage, title, info;
};

class GeneratorRunTest : public testing::Test, public test::HtmlFormTest {
protected:
    GeneratorRunTest() {
        for (const char* name : {"slideshow.js", "restore.png", "x.png"})
            WriteFile(program.Folder() + "slidescript/" + name, std::string("script file ") + name);
        for (const char* name : {"Beach.jpg", "dune 2.JPG", "Hafen.jpg"})
            MakePicture(home / "pictures/" + name);
        WriteFile(program.Folder() + "Gallery_Gal_0003.ini",
                  "[SETTINGS]\r\nPicProRow=2\r\nOutputPath=" + home / "out" + "\r\nButtons=6\r\n");
    }

    static void MakePicture(const std::string& path) {
        WriteFile(path, "");
        QImage image(96, 64, QImage::Format_RGB32);
        image.fill(QColor(90, 140, 200));
        ASSERT_TRUE(image.save(QString::fromStdString(path), "JPEG"));
    }

    GeneratorOpening AlbumOpening() const {
        GeneratorOpening opening = Opening();
        for (const char* name : {"Beach.jpg", "dune 2.JPG", "Hafen.jpg"})
            opening.pictures.push_back({home / "pictures/" + name, std::string("At the ") + name});
        return opening;
    }

    // Watches for the modal preview, notes what it shows and closes it.
    void AnswerPreview(THTMLForm& form) {
        auto* timer = new QTimer(&form);
        QObject::connect(timer, &QTimer::timeout, [this, &form, timer] {
            TWebbroserForm* preview = form.Preview();
            if (!preview->isVisible()) return;
            seen = {true, preview->StartPage(), preview->windowTitle(), preview->SlidshowInfoPanel->text()};
            timer->stop();
            preview->close();
        });
        timer->start(20);
    }

    bool WaitForRunEnd(THTMLForm& form) {
        return QTest::qWaitFor([&] { return !form.Running(); }, 30000);
    }

    PreviewSeen seen;
};

// A rebuild takes unchanged pictures from the cache; "convert all pictures again" converts them
// anew and is a choice for one run: it is clear again at the next opening.
TEST_F(GeneratorRunTest, TheCacheServesARebuildUnlessAllAreToBeConvertedAgain) {
    auto entries = [&] {
        std::map<std::string, ino_t> inodes;
        for (const auto& entry : fs::directory_iterator(program.Folder() + "web-pictures")) {
            struct stat status {};
            ::stat(entry.path().c_str(), &status);
            inodes[entry.path().filename()] = status.st_ino;  // a kept pair is a new file, a taken one is not
        }
        return inodes;
    };
    THTMLForm form(info, dataFolder);
    auto run = [&](bool convertAll) {
        form.Prepare(AlbumOpening());
        EXPECT_FALSE(form.ConvertAllCheckBox->isChecked());
        form.show();
        if (convertAll) form.ConvertAllCheckBox->click();
        seen = {};
        AnswerPreview(form);
        form.BitBtn1->click();
        ASSERT_TRUE(WaitForRunEnd(form));
        ASSERT_TRUE(QTest::qWaitFor([&] { return seen.shown; }, 10000)) << messages.join("\n").toStdString();
    };
    run(false);
    const auto first = entries();
    EXPECT_EQ(first.size(), 3u);
    run(false);
    EXPECT_EQ(entries(), first);  // taken, not made again
    run(true);
    const auto again = entries();
    ASSERT_EQ(again.size(), 3u);
    for (const auto& [name, inode] : first) EXPECT_NE(again.at(name), inode) << name;
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

// The check box shows its whole text in every language (it once shared the buttons' row and was cut).
TEST_F(GeneratorRunTest, TheConvertAllChoiceShowsItsWholeTextInEveryLanguage) {
    for (Language language : kLanguages) {
        SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()).In(language));
        THTMLForm form(info, dataFolder);
        form.Prepare(AlbumOpening());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QCheckBox* box = form.ConvertAllCheckBox;
        EXPECT_FALSE(box->text().isEmpty()) << LanguageCode(language);
        EXPECT_GE(box->width(), box->sizeHint().width()) << LanguageCode(language);
        EXPECT_TRUE(form.rect().contains(QRect(box->mapTo(&form, QPoint(0, 0)), box->size())))
            << LanguageCode(language);
    }
    SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()));
}

TEST_F(GeneratorRunTest, ARunWritesTheGalleryAndTheSettingsAndOpensThePreview) {
    THTMLForm form(info, dataFolder);
    form.Prepare(AlbumOpening());
    form.show();
    AnswerPreview(form);
    form.BitBtn1->click();
    // The run goes on beside the window: the click returns at once, with the controls locked.
    EXPECT_TRUE(form.Running());
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    EXPECT_TRUE(form.KonvertLabel->isVisible());
    ASSERT_TRUE(WaitForRunEnd(form));
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.shown; }, 10000)) << messages.join("\n").toStdString();

    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(seen.startPage.toStdString(), home / "out/gallery.html");
    EXPECT_EQ(seen.title, "Wexbo 10 - Summer");
    EXPECT_EQ(seen.info, "Info: Slide show only works in \"Standard Browser\" or online!");
    EXPECT_EQ(form.KonvertLabel->text(), "Converting pictures for the web: 3/3");
    EXPECT_EQ(form.ProgressBar1->value(), 100);
    EXPECT_TRUE(form.BitBtn1->isEnabled());

    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(home / "out")) files += entry.is_regular_file();
    EXPECT_EQ(files, 20u);
    for (const char* name : {"gallery.html", "slideshow.html", "layout.css", "beach.html", "beach_thumb.jpg",
                             "slideshow.js", "next.gif"})
        EXPECT_TRUE(fs::exists(home / "out/" + name)) << name;
    // The buttons are set 7, the one the settings chose.
    EXPECT_EQ(ReadFile(home / "out/next.gif"), ReadFile(dataFolder + "buttons/07/next.gif"));

    const IniFile saved(program.Folder() + "Gallery_Gal_0003.ini");
    for (const char* key : {"SmallPicX", "LargePicX", "Compression", "PicProRow", "TextColor", "BKGColor",
                            "OutputPath", "Buttons", "TextVisible", "ShapeVisible"})
        EXPECT_TRUE(saved.HasKey("SETTINGS", key)) << key;
    EXPECT_EQ(saved.ReadString("SETTINGS", "OutputPath", ""), home / "out/");
    EXPECT_EQ(saved.ReadString("SETTINGS", "Buttons", ""), "6");
    // The widths as their fields show them: digits, then blanks to four places.
    EXPECT_NE(ReadFile(program.Folder() + "Gallery_Gal_0003.ini").find("SmallPicX=80  \r\n"),
              std::string::npos);
    EXPECT_EQ(form.PathEdit->text().toStdString(), home / "out/");

    // "Close" empties the work folder and leaves the gallery where it is.
    EXPECT_TRUE(fs::exists(form.WorkFolder() + "gallery.html"));
    form.BitBtn3->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(fs::exists(form.WorkFolder() + "gallery.html"));
    EXPECT_TRUE(fs::exists(home / "out/gallery.html"));
}

// The page style is chosen with the keyboard; modern pages warn of colours that read badly before
// the run, keep them, and the choice is the album's from then on.
TEST_F(GeneratorRunTest, TheModernStyleIsChosenWarnsOfPoorContrastAndIsKept) {
    // Grey text on a lighter grey: a contrast of 1.5 to 1.
    WriteFile(program.Folder() + "Gallery_Gal_0003.ini",
              "[SETTINGS]\r\nPicProRow=2\r\nOutputPath=" + home / "out" +
                  "\r\nTextColor=8947848\r\nBKGColor=11184810\r\n");
    {
        THTMLForm form(info, dataFolder);
        form.Prepare(AlbumOpening());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        ASSERT_EQ(form.PageStyleComboBox->currentIndex(), 0);
        form.PageStyleComboBox->setFocus();
        QTest::keyClick(form.PageStyleComboBox, Qt::Key_Down);
        EXPECT_EQ(form.PageStyleComboBox->currentText(), "Modern");
        AnswerPreview(form);
        form.BitBtn1->click();
        ASSERT_TRUE(WaitForRunEnd(form));
        ASSERT_TRUE(QTest::qWaitFor([&] { return seen.shown; }, 10000)) << messages.join("\n").toStdString();
        ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
        EXPECT_TRUE(messages[0].contains("contrast of only 1.5 to 1")) << messages[0].toStdString();
        const std::string overview = ReadFile(home / "out/gallery.html");
        EXPECT_NE(overview.find("<html lang=\"en\">"), std::string::npos);
        EXPECT_TRUE(fs::exists(home / "out/beach_thumb@2x.jpg"));
        // The colours stay as chosen.
        EXPECT_NE(ReadFile(home / "out/layout.css").find("color: #888888;"), std::string::npos);
        EXPECT_EQ(IniFile(program.Folder() + "Gallery_Gal_0003.ini").ReadString("SETTINGS", "PageStyle", ""),
                  "Modern");
    }
    THTMLForm again(info, dataFolder);
    again.Prepare(AlbumOpening());
    again.show();
    EXPECT_EQ(again.PageStyleComboBox->currentIndex(), 1);
}

TEST_F(GeneratorRunTest, FivePicturesPerRowAreRefusedBeforeAnythingIsTouched) {
    WriteFile(home / "out/old.html", "earlier");
    THTMLForm form(info, dataFolder);
    form.Prepare(AlbumOpening());
    form.show();
    WriteFile(form.WorkFolder() + "left.txt", "work");
    form.PicProRowMaskEdit->selectAll();
    QTest::keyClicks(form.PicProRowMaskEdit, "5");
    form.BitBtn1->click();
    EXPECT_FALSE(form.Running());
    EXPECT_EQ(messages,
              QStringList{"Please do not use more than 4 pictures in a row to ensure a Mobile Friendly web "
                          "page! (Mobile Phone Suitability)"});
    EXPECT_EQ(ReadFile(program.Folder() + "Gallery_Gal_0003.ini"),
              "[SETTINGS]\r\nPicProRow=2\r\nOutputPath=" + home / "out" + "\r\nButtons=6\r\n");
    EXPECT_EQ(ReadFile(home / "out/old.html"), "earlier");
    EXPECT_EQ(ReadFile(form.WorkFolder() + "left.txt"), "work");
    EXPECT_FALSE(fs::exists(program.Folder() + "gallery.ht1"));
    EXPECT_FALSE(form.Preview()->isVisible());
    form.close();
}

TEST_F(GeneratorRunTest, AFailedRunNamesTheFileAndLeavesTheOutputFolderAlone) {
    WriteFile(home / "out/old.html", "earlier");
    fs::remove(home / "pictures/dune 2.JPG");
    THTMLForm form(info, dataFolder);
    form.Prepare(AlbumOpening());
    form.show();
    AnswerPreview(form);
    form.BitBtn1->click();
    ASSERT_TRUE(WaitForRunEnd(form));
    QTest::qWait(50);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("dune 2.JPG")) << messages[0].toStdString();
    EXPECT_FALSE(seen.shown);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_EQ(ReadFile(home / "out/old.html"), "earlier");
    EXPECT_FALSE(fs::exists(home / "out/gallery.html"));
    form.close();
}

TEST_F(GeneratorRunTest, ClosingDuringARunStopsItAndThenCloses) {
    THTMLForm form(info, dataFolder);
    form.Prepare(AlbumOpening());
    form.show();
    AnswerPreview(form);
    form.BitBtn1->click();
    ASSERT_TRUE(form.Running());
    form.close();
    ASSERT_TRUE(WaitForRunEnd(form));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 5000));
    EXPECT_FALSE(seen.shown);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_FALSE(fs::exists(form.WorkFolder() + "gallery.html"));
}

}  // namespace
}  // namespace wexbo
