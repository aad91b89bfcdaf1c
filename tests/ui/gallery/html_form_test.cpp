#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "gallery/butto_webbroser_form.h"
#include "gallery/qvb_colors.h"
#include "html_form_fixture.h"
#include "util/folder_browser.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ReadFile;
using test::WriteFile;

class GeneratorWindowTest : public testing::Test, public test::HtmlFormTest {
protected:
    ~GeneratorWindowTest() override { SetFolderDialogAnswer({}); }

    // Types into a field as a user does: everything selected, then the keys.
    static void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    static QColor PanelColor(const QWidget* panel) { return panel->palette().color(QPalette::Window); }
};

TEST_F(GeneratorWindowTest, AnAlbumWithoutSettingsTakesTheDefaultsOfTheProgram) {
    WriteFile(program.Folder() + "Gallery.ini", "[SETTINGS]\r\n");
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    EXPECT_EQ(form.windowTitle(), "Wexbo 10 - Summer");
    EXPECT_EQ(form.size(), QSize(693, 489));
    EXPECT_EQ(form.Label16->text(), "Create web page");
    EXPECT_EQ(form.PathAdvGlowButton->text(), "Output folder");
    EXPECT_EQ(form.ButtonAdvGlowButton->text(), "Select Buttons");
    EXPECT_EQ(form.PicProRowMaskEdit->text(), "4");
    EXPECT_EQ(form.SmallPicMaskEdit->text(), "80");
    EXPECT_EQ(form.LargePicMaskEdit->text(), "450");
    EXPECT_FALSE(form.TextCheckBox->isChecked());
    EXPECT_FALSE(form.RahmenCheckBox->isChecked());
    EXPECT_EQ(PanelColor(form.BKGColorPanel), QColor(255, 255, 255));
    EXPECT_EQ(PanelColor(form.TextColorPanel), QColor(0, 0, 0));
    EXPECT_EQ(form.PathEdit->text().toStdString(), home / "Documents/HTML-Gallery/");
    EXPECT_FALSE(form.PathEdit->isEnabled());
    EXPECT_EQ(form.ButtonChooser()->SelectedIndex(), 0);
    for (QLabel* preview : form.BuImage) EXPECT_EQ(preview->pixmap().size(), QSize(8, 8));
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    EXPECT_TRUE(form.KonvertLabel->isHidden());
    // A work folder of the window's own, not the temporary folder's shared "gallery".
    EXPECT_EQ(form.WorkFolder().rfind(home / "tmp/wexbo-", 0), 0u) << form.WorkFolder();
    EXPECT_TRUE(fs::is_directory(form.WorkFolder()));
    EXPECT_FALSE(fs::exists(home / "tmp/gallery"));
    EXPECT_EQ(form.Settings(), GallerySettings{.outputPath = home / "Documents/HTML-Gallery/"});
    EXPECT_FALSE(fs::exists(program.Folder() + "Gallery_Gal_0003.ini"));
    EXPECT_TRUE(messages.isEmpty());
    form.close();
}

TEST_F(GeneratorWindowTest, TheAlbumsOwnFileWinsAndBrokenNumbersTakeTheDefaults) {
    WriteFile(program.Folder() + "Gallery.ini", "[SETTINGS]\r\nPicProRow=2\r\n");
    WriteFile(program.Folder() + "Gallery_Gal_0003.ini",
              "[settings]\r\nsmallpicx=abc\r\nLargePicX=\r\nPicProRow=3\r\nBKGColor=255\r\nTextColor=x\r\n"
              "Buttons=99\r\nTextVisible=tRuE\r\nShapeVisible=yes\r\nOutputPath=/srv/web\r\n");
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    EXPECT_EQ(form.PicProRowMaskEdit->text(), "3");
    EXPECT_EQ(form.SmallPicMaskEdit->text(), "80");
    EXPECT_EQ(form.LargePicMaskEdit->text(), "450");
    EXPECT_EQ(PanelColor(form.BKGColorPanel), QColor(255, 0, 0));
    EXPECT_EQ(PanelColor(form.TextColorPanel), QColor(0, 0, 0));
    EXPECT_EQ(form.ButtonChooser()->SelectedIndex(), 0);
    EXPECT_TRUE(form.TextCheckBox->isChecked());
    EXPECT_FALSE(form.RahmenCheckBox->isChecked());
    EXPECT_EQ(form.PathEdit->text(), "/srv/web");
    EXPECT_TRUE(messages.isEmpty());
    form.close();
}

TEST_F(GeneratorWindowTest, FieldChecksWhileTyping) {
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    Type(form.PicProRowMaskEdit, "0");
    EXPECT_EQ(form.PicProRowMaskEdit->text(), "1");
    EXPECT_EQ(form.Settings().picturesPerRow, 1);
    Type(form.PicProRowMaskEdit, "5");  // the field takes it; only the run refuses it
    EXPECT_EQ(form.PicProRowMaskEdit->text(), "5");
    EXPECT_EQ(form.Settings().picturesPerRow, 5);
    Type(form.PicProRowMaskEdit, "");  // an emptied field keeps the last number
    EXPECT_EQ(form.Settings().picturesPerRow, 5);

    Type(form.SmallPicMaskEdit, "12345");  // four places
    EXPECT_EQ(form.SmallPicMaskEdit->text(), "1234");
    EXPECT_EQ(form.Settings().smallPicX, 1234);
    Type(form.SmallPicMaskEdit, "");
    EXPECT_EQ(form.Settings().smallPicX, 1234);
    Type(form.LargePicMaskEdit, "0");
    EXPECT_EQ(form.Settings().largePicX, 450);
    Type(form.LargePicMaskEdit, "a6x4");
    EXPECT_EQ(form.LargePicMaskEdit->text(), "64");
    EXPECT_EQ(form.Settings().largePicX, 64);

    QTest::mouseClick(form.TextCheckBox, Qt::LeftButton);
    QTest::mouseClick(form.RahmenCheckBox, Qt::LeftButton);
    EXPECT_TRUE(form.Settings().textVisible);
    EXPECT_TRUE(form.Settings().shapeVisible);
    form.close();
}

TEST_F(GeneratorWindowTest, ColoursComeFromTheColourDialogAndACancelKeepsThem) {
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    auto answer = [](QColor color) {
        QTimer::singleShot(0, [color] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (!color.isValid()) return dialog->reject();
            dialog->setCurrentColor(color);
            dialog->accept();
        });
    };
    answer(QColor(10, 20, 30));
    QTest::mouseClick(form.BKGColorPanel, Qt::LeftButton);
    EXPECT_EQ(form.Settings().bkgColor, 10 + 20 * 256 + 30 * 65536);
    EXPECT_EQ(PanelColor(form.BKGColorPanel), QColor(10, 20, 30));
    answer(QColor(200, 0, 0));
    form.TextcolorButton->click();
    EXPECT_EQ(form.Settings().textColor, 200);
    answer(QColor());
    form.TextcolorButton->click();
    EXPECT_EQ(form.Settings().textColor, 200);
    EXPECT_EQ(PanelColor(form.TextColorPanel), QColor(200, 0, 0));
    form.close();
}

TEST_F(GeneratorWindowTest, TheChosenOutputFolderEndsInASeparator) {
    WriteFile(program.Folder() + "Gallery_Gal_0003.ini", "[SETTINGS]\r\nOutputPath=/srv/old\r\n");
    std::string initial;
    SetFolderDialogAnswer([&](const TFolderBrowser& browser) -> std::optional<std::string> {
        initial = browser.InitialFolder;
        return "/srv/new web";
    });
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    form.PathAdvGlowButton->click();
    EXPECT_EQ(initial, "/srv/old/");
    EXPECT_EQ(form.PathEdit->text(), "/srv/new web/");
    EXPECT_EQ(form.Settings().outputPath, "/srv/new web/");

    SetFolderDialogAnswer([](const TFolderBrowser&) { return std::optional<std::string>(); });
    form.PathAdvGlowButton->click();
    EXPECT_EQ(form.PathEdit->text(), "/srv/new web/");
    form.close();
}

TEST_F(GeneratorWindowTest, TheChooserChangesTheSetAndItsPreviews) {
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    QString page;
    QTimer::singleShot(0, [&] {
        TButtoWebbroserForm* chooser = form.ButtonChooser();
        ASSERT_TRUE(chooser->isVisible());
        page = chooser->Page();
        chooser->ComboBox1->setCurrentIndex(6);
        chooser->BitBtn3->click();
    });
    form.ButtonAdvGlowButton->click();
    EXPECT_EQ(page.toStdString(), dataFolder + "buttons/01/test.html");
    EXPECT_EQ(form.Settings().buttons, 6);
    for (QLabel* preview : form.BuImage) EXPECT_EQ(preview->pixmap().size(), QSize(16, 16));
    form.close();
}

TEST_F(GeneratorWindowTest, GroupBoxesTakeTheGradientColourAtTheirTopEdge) {
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    for (QGroupBox* box : {form.GroupBox1, form.GroupBox2}) {
        EXPECT_TRUE(box->autoFillBackground());
        const long long expected = GradientColorAt(0xFFFFFF, 13553358, box->y(), form.height());
        EXPECT_EQ(box->palette().color(QPalette::Window).red(), expected & 0xFF);
        EXPECT_LT(box->palette().color(QPalette::Window).red(), 255);
    }
    form.close();

    GeneratorOpening plain = Opening();
    plain.gradient = false;
    form.Prepare(plain);
    form.show();
    EXPECT_FALSE(form.GroupBox1->autoFillBackground());
    form.close();
}

TEST_F(GeneratorWindowTest, CloseEmptiesTheWorkFolderOnly) {
    WriteFile(home / "tmp/gallery/unrelated.html", "another program's file");
    auto window = std::make_unique<THTMLForm>(info, dataFolder);
    THTMLForm& form = *window;
    form.Prepare(Opening());
    form.show();
    WriteFile(form.WorkFolder() + "gallery.html", "x");
    WriteFile(form.WorkFolder() + "a_thumb.jpg", "x");
    WriteFile(form.WorkFolder() + "keep/inner.txt", "x");
    form.BitBtn3->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(fs::exists(form.WorkFolder() + "gallery.html"));
    EXPECT_FALSE(fs::exists(form.WorkFolder() + "a_thumb.jpg"));
    EXPECT_TRUE(fs::exists(form.WorkFolder() + "keep/inner.txt"));
    EXPECT_FALSE(fs::exists(program.Folder() + "Gallery_Gal_0003.ini"));  // closing never saves
    EXPECT_TRUE(fs::exists(home / "tmp/gallery/unrelated.html"));
    const std::string workFolder = form.WorkFolder();
    window.reset();
    EXPECT_FALSE(fs::exists(workFolder));  // the private folder goes with the window
}

TEST_F(GeneratorWindowTest, WithoutAWorkFolderNothingRuns) {
    info.TempFolder = home / "not_a_folder/";
    WriteFile(home / "not_a_folder", "a file in the way");
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(
        QString::fromStdString("Cannot create a work folder in " + home / "not_a_folder/")))
        << messages[0].toStdString();
    form.BitBtn1->click();
    EXPECT_FALSE(form.Running());
    EXPECT_EQ(messages.size(), 2);
    EXPECT_FALSE(fs::exists(home / "Documents/HTML-Gallery"));
    form.BitBtn3->click();
    EXPECT_TRUE(fs::exists(home / "not_a_folder"));
}

struct StoredFlag {
    const char* value;  // nullptr: no key at all
    bool checked;
};

void PrintTo(const StoredFlag& flag, std::ostream* os) { *os << (flag.value ? flag.value : "(missing)"); }

class CaptionFlagTest : public testing::TestWithParam<StoredFlag>, public test::HtmlFormTest {};

TEST_P(CaptionFlagTest, OnlyTrueInAnyLetterCaseChecksTheBox) {
    std::string file = "[SETTINGS]\r\nPicProRow=2\r\n";
    if (GetParam().value) file += std::string("TextVisible=") + GetParam().value + "\r\n";
    WriteFile(program.Folder() + "Gallery_Gal_0003.ini", file);
    THTMLForm form(info, dataFolder);
    form.Prepare(Opening());
    form.show();
    EXPECT_EQ(form.TextCheckBox->isChecked(), GetParam().checked);
    EXPECT_EQ(form.Settings().textVisible, GetParam().checked);
    form.close();
}

INSTANTIATE_TEST_SUITE_P(GeneratorWindow, CaptionFlagTest,
                         testing::Values(StoredFlag{"TRUE", true}, StoredFlag{"true", true},
                                         StoredFlag{"tRuE", true}, StoredFlag{"FALSE", false},
                                         StoredFlag{"1", false}, StoredFlag{"yes", false},
                                         StoredFlag{"", false}, StoredFlag{nullptr, false}));

}  // namespace
}  // namespace wexbo
