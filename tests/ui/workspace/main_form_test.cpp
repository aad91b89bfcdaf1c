#include "workspace/main_form.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <filesystem>

#include "album/album_entry.h"
#include "album/new_form.h"
#include "album/open_form.h"
#include "app/language_table.h"
#include "format_fixtures.h"
#include "heif_fixtures.h"
#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"
#include "program_copy.h"
#include "temp_dir.h"
#include "util/ini_file.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "workspace/about_form.h"
#include "workspace/album_list_model.h"
#include "workspace/list_roles.h"
#include "workspace/preview_widget.h"
#include "workspace/thumbnail_lists.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The main window over a private program folder and home folder, English texts.
class MainFormTest : public testing::Test {
protected:
    MainFormTest() {
        ::setenv("HOME", home.Path().c_str(), 1);
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) ::unsetenv(name);
        SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()));
        SetMessageHandler([this](MessageKind kind, const QString& text) {
            messages << text;
            kinds.push_back(kind);
            return kind != MessageKind::Question || answerYes;
        });
        form = std::make_unique<TMainForm>(TWindowsInfo::FromEnvironment(), program.Folders());
        form->resize(1200, 800);
        form->show();
    }
    ~MainFormTest() override {
        form.reset();
        SetMessageHandler({});
    }

    std::string Root() const { return home / "Slideshow/"; }
    std::vector<std::string> AlbumNames() const {
        std::vector<std::string> names;
        for (const AlbumPicture& picture : form->Store().Pictures()) names.push_back(picture.fileName);
        return names;
    }
    // A source folder of small copies of one sample photo, listed in the source list.
    void ListSource(const std::vector<std::string>& names) {
        const std::string photo = ReadFile(program.Folder() + "gal/Gal_0001/kite.jpg");
        for (const std::string& name : names) WriteFile(source / name, photo);
        form->pictureFilePicker = [this](const QString&, const QString&) {
            return QString::fromStdString(source / "any.jpg");
        };
        form->OpenBitBtnClick();
    }
    void SelectSource(const std::vector<int>& rows) {
        form->FileListBox->clearSelection();
        for (int row : rows) form->FileListBox->item(row)->setSelected(true);
    }
    QPoint AlbumPoint(int row) const { return form->BildanoListBox->RowRect(row).center(); }
    // What a drag carries: the selected source pictures, or the album list's current entry.
    std::unique_ptr<QMimeData> SourceDrag() const {
        return std::unique_ptr<QMimeData>(form->FileListBox->DragPayload());
    }
    std::unique_ptr<QMimeData> AlbumDrag() const {
        return std::unique_ptr<QMimeData>(form->BildanoListBox->DragPayload());
    }
    // A new album holding the named pictures, in that order.
    void AlbumOf(const std::vector<std::string>& names) {
        QTimer::singleShot(0, [this] { form->NewForm->BitBtn1->click(); });
        form->NewBildano1Click();
        ListSource(names);
        SelectSource({});
        form->SpeedButton2Click();
    }

    ProgramCopy program;
    TempDir home;
    TempDir source;
    QStringList messages;
    std::vector<MessageKind> kinds;
    bool answerYes = true;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, StartFaceOffersOnlyTheFourAlbumButtons) {
    EXPECT_TRUE(form->SelectVariablesPanel->isVisible());
    EXPECT_FALSE(form->BedienPanel->isVisible());
    EXPECT_FALSE(form->ControllBar1->isVisible());
    EXPECT_FALSE(form->Bildano1->menuAction()->isEnabled());
    EXPECT_FALSE(form->Onlinegalerieerstellen1->isEnabled());
    EXPECT_FALSE(form->Hilfe1->menuAction()->isEnabled());
    for (QPushButton* button :
         {form->BeispielBitBtn, form->NewBitBtn, form->Open1BitBtn, form->Delete1BitBtn}) {
        EXPECT_TRUE(button->isVisible());
        EXPECT_FALSE(button->text().isEmpty());
    }
    EXPECT_EQ(form->BeispielBitBtn->text(), Text(518));
    EXPECT_EQ(form->windowTitle(), "Wexbo 10 ");
    for (const QString& caption : {form->CreateBitBtn->text(), form->CreateSpeedButton->text()})
        EXPECT_EQ(caption, "Create Online Gallery");
    EXPECT_EQ(form->Onlinegalerieerstellen1->text(), "Create Online &Gallery");
}

TEST_F(MainFormTest, SampleAlbumOpensWithItsEntries) {
    form->BeispielBitBtn->click();
    EXPECT_TRUE(form->BedienPanel->isVisible());
    EXPECT_TRUE(form->ControllBar1->isVisible());
    EXPECT_TRUE(form->Bildano1->menuAction()->isEnabled());
    EXPECT_EQ(form->BildanoListBox->Count(), 5);
    EXPECT_EQ(AlbumNames().front(), "autumn.jpg");
    EXPECT_EQ(form->windowTitle(), "Wexbo 10 : Nature walk");
    EXPECT_EQ(form->BildanoLabel->text(), Text(594) + " 5 " + Text(595));
    EXPECT_TRUE(fs::exists(Root() + "Gal_0001/_THUMB_autumn.jpg"));
    form->SelectAlbumEntry(-1);
    EXPECT_EQ(form->BildanoListBox->CurrentRow(), 4);
    EXPECT_EQ(form->BildanoListBox->SelectedRows().size(), 1);
}

TEST_F(MainFormTest, ASourceFolderInsideTheAlbumRootIsRefusedAndTheDialogReturns) {
    form->BeispielBitBtn->click();
    int asked = 0;
    form->pictureFilePicker = [&](const QString& title, const QString&) {
        EXPECT_EQ(title, Text(4200));
        return ++asked == 1 ? QString::fromStdString(Root() + "Gal_0001/kite.jpg") : QString();
    };
    form->OpenBitBtnClick();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(messages, QStringList{Text(10003)});
    EXPECT_EQ(form->FileListBox->count(), 0);
}

TEST_F(MainFormTest, DroppingSourcePicturesOnAnEntryInsertsThemInOrderThere) {
    AlbumOf({"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"});
    ASSERT_EQ(AlbumNames(), (std::vector<std::string>{"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}));
    ListSource({"a.jpg", "b.jpg", "c.jpg"});
    SelectSource({0, 1, 2});  // a, b, c (the list is sorted: a b c p1 p2 p3 p4)
    const QPoint third = AlbumPoint(2);
    const auto picked = SourceDrag();
    EXPECT_TRUE(form->BildanoListBoxDragOver(third, form->FileListBox, picked.get()));
    form->BildanoListBoxDragDrop(third, form->FileListBox, picked.get());
    EXPECT_EQ(AlbumNames(),
              (std::vector<std::string>{"p1.jpg", "p2.jpg", "a.jpg", "b.jpg", "c.jpg", "p3.jpg", "p4.jpg"}));
    EXPECT_EQ(ReadFile(form->Store().AlbumFolder() + "Pictures.ini"),
              "p1.jpg\r\np2.jpg\r\na.jpg\r\nb.jpg\r\nc.jpg\r\np3.jpg\r\np4.jpg\r\n");

    SelectSource({3});  // p1 again, dropped below the last entry
    const QPoint below(10, form->BildanoListBox->viewport()->height() - 2);
    const auto again = SourceDrag();
    form->BildanoListBoxDragOver(below, form->FileListBox, again.get());
    form->BildanoListBoxDragDrop(below, form->FileListBox, again.get());
    EXPECT_EQ(AlbumNames().back(), "p1_1.jpg");
}

TEST_F(MainFormTest, DraggingAnEntryReordersTheListAndWritesItAMomentLater) {
    AlbumOf({"A.jpg", "B.jpg", "C.jpg", "D.jpg", "E.jpg"});
    const std::string saved = ReadFile(form->Store().AlbumFolder() + "Pictures.ini");
    form->SelectAlbumEntry(0);
    form->BildanoListBoxMouseDown(AlbumPoint(0));
    const QPoint fourth = AlbumPoint(3);
    const auto picked = AlbumDrag();
    EXPECT_TRUE(form->BildanoListBoxDragOver(fourth, form->BildanoListBox, picked.get()));
    form->BildanoListBoxDragDrop(fourth, form->BildanoListBox, picked.get());
    form->BildanoListBoxEndDrag(fourth);
    EXPECT_EQ(AlbumNames(), (std::vector<std::string>{"B.jpg", "C.jpg", "D.jpg", "A.jpg", "E.jpg"}));
    EXPECT_EQ(form->BildanoListBox->CurrentRow(), 3);
    EXPECT_TRUE(form->BildanoListBox->RowSelected(3));
    EXPECT_EQ(ReadFile(form->Store().AlbumFolder() + "Pictures.ini"), saved);
    EXPECT_FALSE(form->BildanoListBoxDragOver(fourth, form->OpenBitBtn, picked.get()));  // only the two lists
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return ReadFile(form->Store().AlbumFolder() + "Pictures.ini") ==
                   "B.jpg\r\nC.jpg\r\nD.jpg\r\nA.jpg\r\nE.jpg\r\n";
        },
        2000));
}

TEST_F(MainFormTest, DeleteKeyInTheSourceListRemovesTheSelectedAlbumPictures) {
    AlbumOf({"x.jpg", "y.jpg", "z.jpg"});
    form->SelectAlbumEntry(1);
    QTest::keyClick(form->FileListBox, Qt::Key_Delete);
    EXPECT_EQ(AlbumNames(), (std::vector<std::string>{"x.jpg", "z.jpg"}));
    EXPECT_FALSE(fs::exists(form->Store().AlbumFolder() + "y.jpg"));
    EXPECT_FALSE(form->PictureControlsEnabled());
    EXPECT_TRUE(fs::exists(source / "y.jpg"));  // the source picture is never touched
}

TEST_F(MainFormTest, CaptionsStayInStepAndReachThePictureListWithTheNextSave) {
    AlbumOf({"x.jpg", "y.jpg"});
    form->SelectAlbumEntry(0);
    form->BildanoListBoxClick();
    QTest::keyClicks(form->TextEdit1, "Sea|side>");
    EXPECT_EQ(form->TextEdit->text(), "Seaside");  // the split characters are refused
    EXPECT_EQ(form->Store().Pictures()[0].CaptionText(), "Seaside");
    EXPECT_EQ(ReadFile(form->Store().AlbumFolder() + "Pictures.ini"), "x.jpg\r\ny.jpg\r\n");
    form->SelectAlbumEntry(1);
    QTest::keyClick(form->FileListBox, Qt::Key_Delete);  // a remove writes the list
    EXPECT_EQ(ReadFile(form->Store().AlbumFolder() + "Pictures.ini"), "x.jpg | Seaside\r\n");
    EXPECT_EQ(form->TextEdit->maxLength(), 58);
}

TEST_F(MainFormTest, ATypedCaptionIsWrittenWithinTwoSecondsAndWhenTheProgramCloses) {
    form->BeispielBitBtn->click();
    const std::string list = Root() + "Gal_0001/Pictures.ini";
    form->SelectAlbumEntry(1);
    form->BildanoListBoxClick();
    QTest::keyClick(form->TextEdit, Qt::Key_End);
    QTest::keyClicks(form->TextEdit, " at dusk");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return ReadFile(list).find("Wiklo) at dusk\r\n") != std::string::npos; }, 2000));
    QTest::keyClicks(form->TextEdit1, "!");
    form->close();  // quitting at once loses nothing
    EXPECT_NE(ReadFile(list).find("Wiklo) at dusk!\r\n"), std::string::npos) << ReadFile(list);
}

TEST_F(MainFormTest, AnEditedListIsWrittenBeforeAnotherAlbumOrANewOneIsOpened) {
    form->BeispielBitBtn->click();
    form->SelectAlbumEntry(0);
    form->BildanoListBoxClick();
    form->TextEdit->setText("First");
    form->OpenAlbum("Gal_0002");
    EXPECT_EQ(ReadFile(Root() + "Gal_0001/Pictures.ini").substr(0, 19), "autumn.jpg | First\r");
    form->SelectAlbumEntry(0);
    form->BildanoListBoxClick();
    form->TextEdit->setText("Second");
    QTimer::singleShot(0, [this] { form->NewForm->BitBtn1->click(); });
    form->NewBildano1Click();
    EXPECT_NE(ReadFile(Root() + "Gal_0002/Pictures.ini").find(" | Second\r\n"), std::string::npos);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(MainFormTest, RemovingFromAListThatShowsEmptyDeletesNothing) {
    // A hand-made album: pictures, an album file, no picture list.
    const std::string photo = ReadFile(program.Folder() + "gal/Gal_0001/kite.jpg");
    WriteFile(Root() + "Mine/Bildano.ini", "[BILDANO]\r\nTitel=Mine\r\n");
    WriteFile(Root() + "Mine/one.jpg", photo);
    WriteFile(Root() + "Mine/two.JPG", photo);
    form->BeispielBitBtn->click();
    form->OpenAlbum("Mine");
    ASSERT_EQ(form->BildanoListBox->Count(), 0);
    form->BildanoListBox->setFocus();
    QTest::keyClick(form->BildanoListBox, Qt::Key_Delete);
    form->SpeedButton3->click();
    EXPECT_EQ(messages, (QStringList{Text(10006), Text(10006)}));
    answerYes = false;
    form->SpeedButton4->click();
    EXPECT_EQ(messages.last(), Text(10007));
    EXPECT_TRUE(fs::exists(Root() + "Mine/one.jpg"));
    EXPECT_TRUE(fs::exists(Root() + "Mine/two.JPG"));
}

TEST_F(MainFormTest, RemovingSelectedPicturesLeavesTheCurrentUnselectedEntrysCaption) {
    form->BeispielBitBtn->click();
    const std::string caption = form->Store().Pictures()[0].CaptionText();
    form->SelectAlbumEntry(0);
    form->BildanoListBoxClick();
    // Ctrl-clicks: the third entry selected, the first one current but no longer selected.
    form->BildanoListBox->selectionModel()->select(form->BildanoListBox->model()->index(2, 0),
                                                   QItemSelectionModel::Select);
    form->BildanoListBox->selectionModel()->select(form->BildanoListBox->model()->index(0, 0),
                                                   QItemSelectionModel::Deselect);
    ASSERT_EQ(form->BildanoListBox->CurrentRow(), 0);
    form->SpeedButton3->click();
    ASSERT_EQ(form->BildanoListBox->Count(), 4);
    EXPECT_EQ(form->Store().Pictures()[0].CaptionText(), caption);
    EXPECT_NE(ReadFile(Root() + "Gal_0001/Pictures.ini").find("autumn.jpg | " + caption), std::string::npos);
    EXPECT_FALSE(fs::exists(Root() + "Gal_0001/cold_ripple.jpg"));
}

TEST_F(MainFormTest, ATurnNeverRewritesAFileOutsideTheAlbum) {
    const std::string photo = ReadFile(program.Folder() + "gal/Gal_0001/kite.jpg");
    WriteFile(home / "Documents/precious.jpg", photo);
    WriteFile(Root() + "Mine/Bildano.ini", "[BILDANO]\r\nTitel=Mine\r\n");
    WriteFile(Root() + "Mine/Pictures.ini", "../../Documents/precious.jpg | mine\r\n");
    form->BeispielBitBtn->click();
    form->OpenAlbum("Mine");
    ASSERT_EQ(form->BildanoListBox->Count(), 1);
    form->SelectAlbumEntry(0);
    form->BildanoListBoxClick();
    form->SpeedButton5->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("precious.jpg")) << messages[0].toStdString();
    EXPECT_EQ(ReadFile(home / "Documents/precious.jpg"), photo);
    form->SpeedButton3->click();
    EXPECT_EQ(form->BildanoListBox->Count(), 0);
    EXPECT_EQ(ReadFile(home / "Documents/precious.jpg"), photo);
}

TEST_F(MainFormTest, PicturesForAnAlbumThatCannotBeMadeGiveOneMessage) {
    form.reset();
    fs::remove_all(Root());
    fs::create_directory_symlink(home / "Slideshow", home / "Slideshow");  // the album root: a link to itself
    form = std::make_unique<TMainForm>(TWindowsInfo::FromEnvironment(), program.Folders());
    QTimer::singleShot(0, [this] { form->NewForm->BitBtn1->click(); });
    form->NewBildano1Click();
    ListSource({"a.jpg", "b.jpg", "c.jpg"});
    form->SpeedButton2Click();
    // The start-up's own report of the album root, then one message for the three pictures.
    ASSERT_EQ(messages.size(), 2) << messages.join("\n").toStdString();
    EXPECT_TRUE(
        messages[0].startsWith("Cannot create the folder " + QString::fromStdString(home / "Slideshow")));
    EXPECT_TRUE(messages[1].startsWith("Cannot create the album folder " + QString::fromStdString(Root())));
    EXPECT_EQ(form->BildanoListBox->Count(), 0);
}

TEST_F(MainFormTest, TheDisplayTimeOfTheSettingsSurvivesAStartAndReachesANewAlbum) {
    form.reset();
    IniFile::Write(program.Folder() + "Generator.ini", "SETTINGS", "DefaultTime", "7");
    form = std::make_unique<TMainForm>(TWindowsInfo::FromEnvironment(), program.Folders());
    QTimer::singleShot(0, [this] { form->NewForm->BitBtn1->click(); });
    form->NewBildano1Click();
    ListSource({"a.jpg"});
    form->SpeedButton2Click();
    EXPECT_EQ(IniFile::Read(form->Store().AlbumFolder() + "Bildano.ini", "BILDANO", "Time", ""), "7");
    form->close();
    EXPECT_EQ(IniFile::Read(program.Folder() + "Generator.ini", "SETTINGS", "DefaultTime", ""), "7");
}

TEST_F(MainFormTest, TheArrowKeysShowTheEntryTheyMoveToAndCaptionsGoThere) {
    form->BeispielBitBtn->click();
    const std::string first = form->Store().Pictures()[0].CaptionText();
    const std::string second = form->Store().Pictures()[1].CaptionText();
    form->SelectAlbumEntry(0);
    form->BildanoListBoxClick();
    form->BildanoListBox->setFocus();
    QTest::keyClick(form->BildanoListBox, Qt::Key_Down);
    ASSERT_EQ(form->BildanoListBox->CurrentRow(), 1);
    EXPECT_EQ(form->TextEdit->text().toStdString(), second);
    EXPECT_EQ(form->TextEdit1->text().toStdString(), second);
    EXPECT_TRUE(form->PictureControlsEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->ShownPreviewKey() == "by_the_water.jpg"; }, 2000));
    QTest::keyClick(form->TextEdit, Qt::Key_End);
    QTest::keyClicks(form->TextEdit, "!");
    EXPECT_EQ(form->Store().Pictures()[1].CaptionText(), second + "!");
    EXPECT_EQ(form->Store().Pictures()[0].CaptionText(), first);
}

TEST_F(MainFormTest, EndShowsTheLastEntryAndAnEditKeepsThePlaceInTheList) {
    std::vector<std::string> names;
    for (int i = 100; i < 124; ++i) names.push_back(std::to_string(i) + ".jpg");
    AlbumOf(names);
    form->SelectAlbumEntry(0);
    form->BildanoListBox->setFocus();
    QTest::keyClick(form->BildanoListBox, Qt::Key_End);
    ASSERT_EQ(form->BildanoListBox->CurrentRow(), 23);
    const QRect last = form->BildanoListBox->RowRect(23);
    EXPECT_TRUE(form->BildanoListBox->viewport()->rect().contains(last)) << last.y();
    EXPECT_EQ(form->TextEdit->text(), "");
    EXPECT_TRUE(form->PictureControlsEnabled());

    // Removing the last picture leaves the list where it was, with no entry to edit.
    const int scrolled = form->BildanoListBox->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    form->SpeedButton3->click();
    QApplication::processEvents();  // the list lays itself out again
    ASSERT_EQ(form->BildanoListBox->Count(), 23);
    EXPECT_EQ(form->BildanoListBox->verticalScrollBar()->value(),
              std::min(scrolled, form->BildanoListBox->verticalScrollBar()->maximum()));
    EXPECT_GT(form->BildanoListBox->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(form->PictureControlsEnabled());
    // Adding one at the end keeps the place too.
    const int before = form->BildanoListBox->verticalScrollBar()->value();
    SelectSource({0});
    form->SpeedButton1Click();
    QApplication::processEvents();
    EXPECT_EQ(form->BildanoListBox->Count(), 24);
    EXPECT_EQ(form->BildanoListBox->verticalScrollBar()->value(), before);
}

// The list is edited row by row, never rebuilt: the entry the user works on stays current (and
// shown) while other pictures are added, moved or removed around it. Qt's model tester checks
// every change the model reports.
TEST_F(MainFormTest, EditsAroundTheCurrentEntryKeepItCurrent) {
    AlbumOf({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    QAbstractItemModelTester tester(&form->AlbumModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    int resets = 0;
    QObject::connect(&form->AlbumModel(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    auto current = [&] { return AlbumNames()[static_cast<std::size_t>(form->BildanoListBox->CurrentRow())]; };
    form->SelectAlbumEntry(2);
    form->BildanoListBoxClick();
    QTest::keyClicks(form->TextEdit, "Harbour");
    ASSERT_EQ(current(), "c.jpg");

    QTest::mouseClick(form->BildanoListBox->viewport(), Qt::LeftButton, {}, AlbumPoint(0));
    const auto picked = AlbumDrag();  // a drag of "a" to below "d"
    form->SelectAlbumEntry(2);        // the user went back to "c" before dropping
    form->BildanoListBoxDragDrop(AlbumPoint(3), form->BildanoListBox, picked.get());
    EXPECT_EQ(AlbumNames(), (std::vector<std::string>{"b.jpg", "c.jpg", "d.jpg", "a.jpg"}));
    EXPECT_EQ(current(), "c.jpg");

    ListSource({"new.jpg"});
    SelectSource({4});
    const auto added = SourceDrag();
    form->BildanoListBoxDragDrop(AlbumPoint(0), form->FileListBox, added.get());
    EXPECT_EQ(AlbumNames().front(), "new.jpg");
    EXPECT_EQ(current(), "new.jpg");  // a dropped picture is shown
    EXPECT_EQ(form->TextEdit->text(), "");

    form->SelectAlbumEntry(2);
    ASSERT_EQ(current(), "c.jpg");
    form->BildanoListBox->selectionModel()->select(form->BildanoListBox->model()->index(4, 0),
                                                   QItemSelectionModel::ClearAndSelect);
    ASSERT_EQ(current(), "c.jpg");
    form->SpeedButton3Click();  // removes "a", the only selected one
    EXPECT_EQ(AlbumNames(), (std::vector<std::string>{"new.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(form->Store().Pictures()[2].CaptionText(), "Harbour");
}

// A drop carries the row and the name of the picture picked up; a payload whose row no longer
// holds that picture moves nothing.
TEST_F(MainFormTest, ADropMovesOnlyThePicturePickedUp) {
    AlbumOf({"a.jpg", "b.jpg", "c.jpg"});
    form->SelectAlbumEntry(0);
    const auto picked = AlbumDrag();
    form->SelectAlbumEntry(0);
    form->SpeedButton3Click();  // "a" is gone; row 0 now holds "b"
    form->BildanoListBoxDragDrop(AlbumPoint(1), form->BildanoListBox, picked.get());
    EXPECT_EQ(AlbumNames(), (std::vector<std::string>{"b.jpg", "c.jpg"}));
    EXPECT_FALSE(form->Store().ListEdited());
}

// Linux allows "|", ">" and bytes that are not UTF-8 in file names: such pictures are listed,
// shown, added and read back under names the album's lists can hold.
// A phone's, a screenshot's, a scanner's and the web's pictures are listed with thumbnails, and
// the album gets upright JPEG copies of them that look as the sources do.
TEST_F(MainFormTest, PicturesOfEveryFormatAreListedWithThumbnailsAndAddedAsJpegCopies) {
    const RgbBuffer photo = test::Quadrants(160, 120, test::kRed, test::kGreen, test::kBlue, test::kWhite);
    test::HeifOptions avif;
    avif.codec = test::HeifCodec::Av1;
    WriteFile(source / "a.png", test::MakePng(test::SamplesOf(photo)));
    WriteFile(source / "b.webp", test::MakeWebp(test::SamplesOf(photo)));
    WriteFile(source / "c.TIF", test::MakeTiff(test::SamplesOf(photo)));
    WriteFile(source / "d.HEIC", test::MakeHeif(photo));
    WriteFile(source / "e.avif", test::MakeHeif(photo, avif));
    WriteFile(source / "f.jpeg", test::MakeJpeg(photo));
    WriteFile(source / "g.jpg", "a picture nothing can read");
    QTimer::singleShot(0, [this] { form->NewForm->BitBtn1->click(); });
    form->NewBildano1Click();
    form->pictureFilePicker = [this](const QString&, const QString&) {
        return QString::fromStdString(source / "any.jpg");
    };
    form->OpenBitBtnClick();
    ASSERT_EQ(form->FileListBox->count(), 7);
    for (int row = 0; row < 6; ++row) {
        const QString thumbnail = form->FileListBox->item(row)->data(kThumbnailPathRole).toString();
        EXPECT_TRUE(QFileInfo(thumbnail).isFile()) << form->FileListBox->item(row)->text().toStdString();
    }
    EXPECT_FALSE(QFileInfo(form->FileListBox->item(6)->data(kThumbnailPathRole).toString()).isFile());

    SelectSource({});
    form->SpeedButton2Click();
    // The unreadable one is refused with its name; every other one is added.
    ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(source / "g.jpg"))) << messages[0].toStdString();
    EXPECT_EQ(AlbumNames(),
              (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpeg"}));
    for (const std::string& name : AlbumNames()) {
        const std::string copy = form->Store().AlbumFolder() + name;
        ASSERT_EQ(ReadFile(copy).substr(0, 2), "\xFF\xD8") << name;
        TLEADImage image;
        image.Load(copy);
        ASSERT_EQ(image.Width(), 160) << name;
        ASSERT_EQ(image.Height(), 120) << name;
        const RgbBuffer& pixels = *image.Snapshot();
        EXPECT_TRUE(test::Near(test::At(pixels, 20, 20), test::kRed, 40)) << name;
        EXPECT_TRUE(test::Near(test::At(pixels, 140, 20), test::kGreen, 40)) << name;
        EXPECT_TRUE(test::Near(test::At(pixels, 20, 100), test::kBlue, 40)) << name;
        EXPECT_TRUE(fs::exists(form->Store().AlbumFolder() + "_THUMB_" + name)) << name;
    }
}

TEST_F(MainFormTest, PicturesWithNamesTheListsCannotHoldAreAddedUnderSafeNames) {
    QTimer::singleShot(0, [this] { form->NewForm->BitBtn1->click(); });
    form->NewBildano1Click();
    ListSource({"x|y.jpg", "p>q.jpg", "caf\xE9.jpg"});
    ASSERT_EQ(form->FileListBox->count(), 3);
    SelectSource({0});
    form->FileListBox->setCurrentRow(0);
    form->FileListBoxClick();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->ShownPreviewKey() == "caf\xE9.jpg"; }, 2000));
    EXPECT_TRUE(form->LEADImage2->isVisible());

    form->SpeedButton2Click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    const std::vector<std::string> added = AlbumNames();
    EXPECT_EQ(added, (std::vector<std::string>{"café.jpg", "p_q.jpg", "x_y.jpg"}));
    for (const std::string& name : added) EXPECT_TRUE(fs::exists(form->Store().AlbumFolder() + name)) << name;
    const std::string album = form->Store().CurrentAlbum();
    form->OpenAlbum("Gal_0001");
    form->OpenAlbum(album);
    EXPECT_EQ(AlbumNames(), added);
}

TEST_F(MainFormTest, TheUsualKeysReachTheCommands) {
    form->BeispielBitBtn->click();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QStringList opened;
    auto closeWhenOpen = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            opened << modal->metaObject()->className();
            modal->close();
        });
    };
    closeWhenOpen();
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    closeWhenOpen();
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    closeWhenOpen();
    QTest::keyClick(form.get(), Qt::Key_F1);
    // The menus by their Alt keys: Alt+A opens the album menu, N its new-album entry.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Bildano1->isVisible(); }, 2000));
    closeWhenOpen();
    QTest::keyClick(form->Bildano1, Qt::Key_N);
    EXPECT_EQ(opened,
              (QStringList{"wexbo::TOpenForm", "wexbo::TNewForm", "wexbo::TAboutForm", "wexbo::TNewForm"}));
    int galleries = 0;
    form->galleryOpener = [&](const std::vector<GalleryPicture>&, const QString&) { ++galleries; };
    form->activateWindow();  // back from the last dialog
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(galleries, 1);
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, ARefusedCharacterIsExplainedAndTheCountShowsTheRoomUsed) {
    form->BeispielBitBtn->click();
    form->SelectAlbumEntry(2);
    form->BildanoListBoxClick();
    EXPECT_EQ(form->CaptionCountLabel->text(), QString("%1/58").arg(form->TextEdit->text().size()));
    form->TextEdit->selectAll();
    QTest::keyClicks(form->TextEdit, "a|b>");
    EXPECT_EQ(form->TextEdit->text(), "ab");
    EXPECT_EQ(form->StatusText(), Text(612));
    EXPECT_EQ(form->StatusText(), "Captions cannot hold the characters | and >.");
    EXPECT_EQ(form->CaptionCountLabel->text(), "2/58");
}

TEST_F(MainFormTest, TheWindowNeverGetsTooSmallForItsControls) {
    form->BeispielBitBtn->click();
    form->showNormal();
    form->resize(640, 360);
    QTest::qWait(50);
    EXPECT_GE(form->width(), 900);
    for (QWidget* control :
         std::initializer_list<QWidget*>{form->CreateBitBtn, form->SpeedButton10, form->TextEdit,
                                         form->LEADImage2->parentWidget(), form->BildanoListBox}) {
        const QRect inWindow(control->mapTo(form.get(), QPoint(0, 0)), control->size());
        EXPECT_TRUE(form->rect().contains(inWindow)) << control->metaObject()->className();
    }
}

// The columns are widened by dragging the handles between them, and the widths the user leaves
// are there again at the next start. The preview grows with the room its column has.
TEST_F(MainFormTest, ColumnWidthsAreTheUsersAndThePreviewGrowsWithItsColumn) {
    form->BeispielBitBtn->click();
    QTest::qWait(20);
    const QList<int> before = form->WorkSplitter->sizes();
    QSplitterHandle* handle = form->WorkSplitter->handle(1);  // between the source and album columns
    const QPoint grip = handle->rect().center();
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    send(QEvent::MouseMove, grip + QPoint(60, 0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, grip + QPoint(60, 0), Qt::NoButton);
    const QList<int> moved = form->WorkSplitter->sizes();
    EXPECT_EQ(moved[0], before[0] + 60);
    EXPECT_EQ(moved[2], before[2]);

    const QSize previewBefore = form->LEADImage2->parentWidget()->size();
    form->showNormal();
    form->resize(form->width() + 200, form->height() + 150);
    QTest::qWait(20);
    EXPECT_GT(form->LEADImage2->parentWidget()->height(), previewBefore.height());
    EXPECT_EQ(form->WorkSplitter->sizes()[0], moved[0]);  // a wider window widens the album list

    form->close();
    EXPECT_EQ(IniFile::Read(program.Folder() + "Generator.ini", "SETTINGS", "WorkPanelWidths", ""),
              std::to_string(moved[0]) + "," + std::to_string(moved[1]) + "," + std::to_string(moved[2]));
    form = std::make_unique<TMainForm>(TWindowsInfo::FromEnvironment(), program.Folders());
    form->resize(1200, 800);
    form->show();
    form->BeispielBitBtn->click();
    QTest::qWait(20);
    EXPECT_EQ(form->WorkSplitter->sizes()[0], moved[0]);
}

TEST_F(MainFormTest, QuarterTurnSavesTheTurnedPictureAndANumberedThumbnail) {
    form->BeispielBitBtn->click();
    form->SelectAlbumEntry(0);
    form->BildanoListBoxClick();
    TLEADImage before;
    before.Load(Root() + "Gal_0001/autumn.jpg");
    const int width = before.Width(), height = before.Height();
    form->ToolButton2->click();  // "90"
    TLEADImage after;
    after.Load(Root() + "Gal_0001/autumn.jpg");
    EXPECT_EQ(after.Width(), height);
    EXPECT_EQ(after.Height(), width);
    EXPECT_EQ(form->Store().Pictures()[0].thumbnailPath, Root() + "Gal_0001/_THUMB_1autumn.jpg");
    TLEADImage thumbnail;
    thumbnail.Load(Root() + "Gal_0001/_THUMB_1autumn.jpg");
    EXPECT_EQ(thumbnail.Height(), 70);
    EXPECT_EQ(thumbnail.Width(), std::nearbyint(70.0 * height / width));  // 1600 × 1000 turned: 44 × 70
    EXPECT_EQ(form->BildanoListBox->CurrentRow(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFormTest, ATransformThatCannotWorkShowsTheErrorAndKeepsTheEntry) {
    form->BeispielBitBtn->click();
    form->SelectAlbumEntry(1);
    form->BildanoListBoxClick();
    const AlbumPicture entry = form->Store().Pictures()[1];
    fs::remove(Root() + "Gal_0001/by_the_water.jpg");
    fs::create_directories(Root() + "Gal_0001/by_the_water.jpg");  // a folder where the picture is
    form->SpeedButton5->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("An error occured in your application, \n"));
    EXPECT_EQ(kinds[0], MessageKind::PlainError);
    EXPECT_EQ(form->Store().Pictures()[1], entry);
}

TEST_F(MainFormTest, CtrlHeldDelaysThePreview) {
    form->BeispielBitBtn->click();
    form->SelectAlbumEntry(2);
    QTest::keyPress(form->BildanoListBox, Qt::Key_Control);
    EXPECT_TRUE(form->HeldFlag());
    form->BildanoListBoxClick();
    QTest::qWait(350);
    EXPECT_TRUE(form->ShownPreviewKey().empty());
    QTest::keyRelease(form->BildanoListBox, Qt::Key_Control);
    EXPECT_FALSE(form->HeldFlag());
    // The preview follows once the key is up; a busy machine may take longer than the timer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->ShownPreviewKey() == "cold_ripple.jpg"; }, 5000))
        << form->ShownPreviewKey();
    EXPECT_TRUE(form->LEADImage2->PictureSize().isValid());
}

TEST_F(MainFormTest, DeletingAnotherAlbumEmptiesTheWorkspaceAndKeepsTheWorkPanel) {
    form->BeispielBitBtn->click();
    QTimer::singleShot(0, [this] {
        const auto items = form->OpenForm->OpenListBox->findItems("Gal_0002", Qt::MatchStartsWith);
        ASSERT_EQ(items.size(), 1);
        form->OpenForm->OpenListBox->setCurrentItem(items[0]);
        form->OpenForm->OpenBitBtn->click();
    });
    form->DeleteBildano1Click();
    EXPECT_EQ(
        messages,
        QStringList{
            "Do you really want to delete the album \"Light and colour\" and all its pictures permanently?"});
    EXPECT_FALSE(fs::exists(Root() + "Gal_0002"));
    EXPECT_TRUE(fs::exists(Root() + "Gal_0001/autumn.jpg"));
    EXPECT_EQ(form->BildanoListBox->Count(), 0);
    EXPECT_TRUE(form->BedienPanel->isVisible());
}

TEST_F(MainFormTest, TheGalleryCommandHandsOverTheAlbumPicturesWithCaptions) {
    form->CreateBitBtnClick();  // nothing open yet
    EXPECT_EQ(messages, QStringList{Text(10002)});
    form->BeispielBitBtn->click();
    std::vector<GalleryPicture> handed;
    QString settingsFile;
    form->galleryOpener = [&](const std::vector<GalleryPicture>& pictures, const QString& file) {
        handed = pictures;
        settingsFile = file;
    };
    form->CreateBitBtnClick();
    ASSERT_EQ(handed.size(), 5u);
    EXPECT_EQ(handed[0].path, Root() + "Gal_0001/autumn.jpg");
    EXPECT_EQ(handed[0].caption, "Autumn leaves (photo: RJ Quiralta)");
    EXPECT_EQ(settingsFile.toStdString(), program.Folder() + "Gallery_Gal_0001.ini");
}

TEST_F(MainFormTest, AboutShowsTheTitleAndTheVersionOfVerIni) {
    WriteFile(program.Folder() + "ver.ini", "10.4.2\r\nsecond line\r\n");
    TAboutForm about(QString::fromStdString(program.Folder()));
    EXPECT_EQ(about.windowTitle(), "Wexbo 10");
    EXPECT_EQ(about.ProductLabel->text(), "Wexbo 10");
    EXPECT_TRUE(about.VersionLabel->text().endsWith("10.4.2"));
    QTimer::singleShot(0, &about, [&about] { about.OkButton->click(); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace wexbo
