#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "album/album_store.h"
#include "album/new_form.h"
#include "album/open_form.h"
#include "app/language_table.h"
#include "program_copy.h"
#include "temp_dir.h"
#include "util/message_box.h"
#include "util/program_texts.h"

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::TempDir;
using test::WriteFile;

class AlbumDialogsTest : public testing::Test {
protected:
    AlbumDialogsTest() : store(program.Folder(), root.Path()) {
        SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()));
        SetMessageHandler([this](MessageKind, const QString& text) {
            messages << text;
            return true;
        });
    }
    ~AlbumDialogsTest() override { SetMessageHandler({}); }

    // Runs `act` once the modal dialog is up.
    static void WhenShown(std::function<void()> act) { QTimer::singleShot(0, std::move(act)); }

    ProgramCopy program;
    TempDir root;
    AlbumStore store;
    QStringList messages;
};

TEST_F(AlbumDialogsTest, ChooserListsAlbumsAndRefusesWithoutASelection) {
    WriteFile(root / "Gal_0001/Bildano.ini", "[BILDANO]\r\nTitel=Holiday\r\n");
    WriteFile(root / "del/Bildano.ini", "[BILDANO]\r\nTitel=SPECIALDUMMY\r\n");
    TOpenForm form(store);
    EXPECT_EQ(form.windowTitle(), Text(4202));
    EXPECT_EQ(form.size(), QSize(278, 365));
    WhenShown([&] {
        EXPECT_EQ(form.DoLabel->text(), Text(4203));
        EXPECT_EQ(form.OpenBitBtn->text(), Text(4204));
        ASSERT_EQ(form.OpenListBox->count(), 1);
        EXPECT_EQ(form.OpenListBox->item(0)->text(), "Gal_0001 Holiday");
        form.OpenBitBtn->click();  // nothing selected
        EXPECT_EQ(messages, QStringList{Text(10026)});
        EXPECT_TRUE(form.isVisible());
        form.OpenListBox->setCurrentRow(0);
        form.OpenBitBtn->click();
    });
    EXPECT_TRUE(form.ShowChooser(TOpenForm::OpenMode));
    EXPECT_EQ(form.ChosenFolder(), "Gal_0001");
}

TEST_F(AlbumDialogsTest, TheChooserIsUsedWithTheKeyboard) {
    WriteFile(root / "Gal_0001/Bildano.ini", "[BILDANO]\r\nTitel=Holiday\r\n");
    WriteFile(root / "Gal_0002/Bildano.ini", "[BILDANO]\r\nTitel=Garden\r\n");
    TOpenForm form(store);
    WhenShown([&] {
        EXPECT_EQ(form.focusWidget(), form.OpenListBox);
        ASSERT_EQ(form.OpenListBox->count(), 2);
        const int first = form.OpenListBox->currentRow() < 0 ? 0 : form.OpenListBox->currentRow();
        QTest::keyClick(form.OpenListBox, Qt::Key_Down);
        EXPECT_EQ(form.OpenListBox->currentRow(), first + 1);
        QTest::keyClick(form.OpenListBox, Qt::Key_Return);
        if (form.isVisible()) {  // never left waiting: the test fails instead
            ADD_FAILURE() << "Enter did not close the chooser";
            form.reject();
        }
    });
    ASSERT_TRUE(form.ShowChooser(TOpenForm::OpenMode));
    EXPECT_FALSE(form.ChosenFolder().isEmpty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(AlbumDialogsTest, DeleteModeShowsItsTextsAndCancelChoosesNothing) {
    WriteFile(root / "My trip/Bildano.ini", "[BILDANO]\r\nTitel=Hand made\r\n");
    WriteFile(root / "My/Bildano.ini", "[BILDANO]\r\nTitel=Other\r\n");
    TOpenForm form(store);
    WhenShown([&] {
        EXPECT_EQ(form.DoLabel->text(), Text(4205));
        EXPECT_EQ(form.OpenBitBtn->text(), Text(4206));
        form.BitBtn2->click();
    });
    EXPECT_FALSE(form.ShowChooser(TOpenForm::DeleteMode));
    EXPECT_TRUE(form.ChosenFolder().isEmpty());

    // A folder name with a blank leads back to itself, never to the folder of its first word.
    WhenShown([&] {
        const auto items = form.OpenListBox->findItems("My trip Hand made", Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        form.OpenListBox->setCurrentItem(items[0]);
        emit form.OpenListBox->itemDoubleClicked(items[0]);
    });
    EXPECT_TRUE(form.ShowChooser(TOpenForm::DeleteMode));
    EXPECT_EQ(form.ChosenFolder(), "My trip");
}

TEST_F(AlbumDialogsTest, NewAlbumDialogTakesEnterAndEscapeAndKeepsTheTitle) {
    TNewForm form;
    EXPECT_EQ(form.windowTitle(), Text(1803));
    EXPECT_EQ(form.Label1->text(), Text(1800));
    WhenShown([&] { QTest::keyClick(form.Edit1, Qt::Key_Return); });
    EXPECT_TRUE(form.ShowDialog());  // an empty title is accepted
    WhenShown([&] {
        QTest::keyClicks(form.Edit1, "Summer");
        QTest::keyClick(form.Edit1, Qt::Key_Escape);
    });
    EXPECT_FALSE(form.ShowDialog());
    WhenShown([&] { form.BitBtn1->click(); });
    EXPECT_TRUE(form.ShowDialog());
    EXPECT_EQ(form.Title(), "Summer");  // kept between showings
}

}  // namespace
}  // namespace wexbo
