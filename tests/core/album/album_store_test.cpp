#include "album/album_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "album/album_entry.h"
#include "app/language_table.h"
#include "heif_fixtures.h"
#include "imaging/camera_exif.h"
#include "imaging/exif_orientation.h"
#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"
#include "program_copy.h"
#include "temp_dir.h"
#include "util/ini_file.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A fresh album root beside a copy of the program folder; real photographs from the samples.
class AlbumStoreTest : public testing::Test {
protected:
    AlbumStoreTest() : store(program.Folder(), root.Path()) {}

    std::string Sample(const std::string& name) const { return program.Folder() + "gal/Gal_0001/" + name; }
    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (const AlbumPicture& picture : store.Pictures()) names.push_back(picture.fileName);
        return names;
    }
    void MakeAlbum(const std::string& folder, const std::string& albumFile, const std::string& pictureList) {
        WriteFile(root / (folder + "/Bildano.ini"), albumFile);
        WriteFile(root / (folder + "/Pictures.ini"), pictureList);
    }

    ProgramCopy program;
    TempDir root;
    AlbumStore store;
    const Texts texts = LoadProgramTexts(program.Folder(), program.Folder());
};

struct NextNameCase {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    const char* expected;
};
class NextAlbumNameTest : public testing::TestWithParam<NextNameCase> {};
TEST_P(NextAlbumNameTest, TakesTheLargestNumberPlusOne) {
    TempDir root;
    for (const std::string& folder : GetParam().folders) fs::create_directories(root / folder);
    for (const std::string& file : GetParam().files) WriteFile(root / file, "");
    EXPECT_EQ(AlbumStore("/prog/", root.Path()).NextAlbumName(), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, NextAlbumNameTest,
    testing::Values(NextNameCase{{"Gal_0001", "Gal_0002", "del"}, {}, "Gal_0003"},
                    NextNameCase{{"Gal_0007", "x_2", "Gal_0001"}, {}, "Gal_0008"},
                    NextNameCase{{"x_2", "Gal_0001", "Gal_0007"}, {}, "Gal_0008"},
                    NextNameCase{{}, {}, "Gal_0001"}, NextNameCase{{"Gal_9999"}, {}, "Gal_10000"},
                    NextNameCase{{"Gal_0002", "Gal_0050.bak", "Gal_x"}, {"Gal_0090"}, "Gal_0003"}));

TEST_F(AlbumStoreTest, OpeningAnAlbumListsItsPicturesWithThumbnailsAndSkipsMissingOnes) {
    fs::copy(program.Folder() + "gal/Gal_0001", root / "Gal_0001");
    WriteFile(root / "Gal_0001/Pictures.ini", "autumn.jpg | Autumn\r\nmissing.jpg | gone\r\nkite.jpg\r\n");
    const OpenAlbumResult result = store.OpenAlbum("Gal_0001");
    ASSERT_TRUE(result.albumFileFound);
    EXPECT_EQ(store.CurrentAlbum(), "Gal_0001");
    EXPECT_EQ(store.AlbumTitle(), "Nature walk");
    EXPECT_EQ(store.DisplayTime(), "5");
    ASSERT_EQ(store.Pictures().size(), 2u);
    EXPECT_EQ(store.Pictures()[0],
              (AlbumPicture{"autumn.jpg", "Autumn", root / "Gal_0001/_THUMB_autumn.jpg"}));
    EXPECT_EQ(store.Pictures()[1].ListText(), "kite.jpg | ");
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_autumn.jpg"));
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_kite.jpg"));
    EXPECT_EQ(store.CountLabel(texts), texts(594) + " 2 " + texts(595));
}

TEST_F(AlbumStoreTest, ManyThreadsGiveTheSameListAsOne) {
    fs::copy(program.Folder() + "gal/Gal_0002", root / "Gal_0002");
    fs::copy(program.Folder() + "gal/Gal_0002", root / "Gal_0003");
    store.SetJobs(1);
    store.OpenAlbum("Gal_0002");
    const std::vector<AlbumPicture> sequential = store.Pictures();
    AlbumStore parallel(program.Folder(), root.Path());
    parallel.SetJobs(4);
    int lastDone = 0, total = 0;
    parallel.OpenAlbum("Gal_0003",
                       [&](int done, int of) { lastDone = std::max(lastDone, done), total = of; });
    ASSERT_EQ(parallel.Pictures().size(), sequential.size());
    for (std::size_t i = 0; i < sequential.size(); ++i) {
        EXPECT_EQ(parallel.Pictures()[i].fileName, sequential[i].fileName);
        EXPECT_EQ(parallel.Pictures()[i].caption, sequential[i].caption);
    }
    EXPECT_EQ(lastDone, 5);
    EXPECT_EQ(total, 5);
}

TEST_F(AlbumStoreTest, AnAlbumWithoutPictureListOpensEmpty) {
    MakeAlbum("Gal_0004", "[BILDANO]\r\nTitel=Trip\r\nTime=9\r\n", "");
    fs::remove(root / "Gal_0004/Pictures.ini");
    const OpenAlbumResult result = store.OpenAlbum("Gal_0004");
    EXPECT_TRUE(result.albumFileFound);
    EXPECT_TRUE(result.message.Empty());
    EXPECT_EQ(store.CurrentAlbum(), "Gal_0004");
    EXPECT_EQ(store.AlbumTitle(), "Trip");
    EXPECT_TRUE(store.Pictures().empty());
}

TEST_F(AlbumStoreTest, NoAlbumFileLeavesTheListAndAlbumButClearsTheTitle) {
    fs::copy(program.Folder() + "gal/Gal_0001", root / "Gal_0001");
    store.OpenAlbum("Gal_0001");
    const OpenAlbumResult result = store.OpenAlbum("Gal_0042");
    EXPECT_FALSE(result.albumFileFound);
    EXPECT_EQ(store.CurrentAlbum(), "Gal_0001");
    EXPECT_EQ(store.Pictures().size(), 5u);
    EXPECT_EQ(store.AlbumTitle(), "");
    EXPECT_EQ(store.DisplayTime(), "5");
}

TEST_F(AlbumStoreTest, TheResetAlbumStartsAFreshAlbumWithAnEmptyTitle) {
    fs::create_directories(root / "Gal_0001");
    MakeAlbum("del", "[BILDANO]\r\nTitel=  specialdummy  \r\nTime=5\r\n", "");
    store.OpenAlbum("del");
    EXPECT_EQ(store.AlbumTitle(), "");
    EXPECT_EQ(store.CurrentAlbum(), "Gal_0002");
    EXPECT_FALSE(fs::exists(root / "Gal_0002"));
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("kite.jpg"), -1).Empty());
    EXPECT_EQ(IniFile::Read(root / "Gal_0002/Bildano.ini", "BILDANO", "Titel", "missing"), "");
    EXPECT_EQ(ReadFile(root / "Gal_0002/Pictures.ini"), "kite.jpg\r\n");
}

TEST_F(AlbumStoreTest, AddingTheSamePictureTwiceKeepsBothUnderFreeNames) {
    WriteFile(root / "src/sunset.jpg", ReadFile(Sample("autumn.jpg")));
    store.StartNewAlbum("Holiday");
    ASSERT_TRUE(store.AddPictureToAlbum(root / "src/sunset.jpg", -1).Empty());
    ASSERT_TRUE(store.AddPictureToAlbum(root / "src/sunset.jpg", 0).Empty());
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"sunset_1.jpg", "sunset.jpg"}));
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), "sunset_1.jpg\r\nsunset.jpg\r\n");
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_sunset_1.jpg"));
    EXPECT_EQ(IniFile::Read(root / "Gal_0001/Bildano.ini", "BILDANO", "Titel", ""), "Holiday");
    EXPECT_EQ(store.CountLabel(texts), texts(594) + " 2 " + texts(595));
}

// The copy is made apart from the list (a window copies on a worker thread while it shows the
// list), and lands where the list asks.
TEST_F(AlbumStoreTest, ACopyJoinsTheListOnlyWhenInserted) {
    store.StartNewAlbum("");
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("kite.jpg"), -1).Empty());
    AlbumCopy copy = store.CopyPictureIntoAlbum(Sample("path.jpg"));
    ASSERT_TRUE(copy.picture);
    EXPECT_EQ(*copy.picture, (AlbumPicture{"path.jpg", std::nullopt, root / "Gal_0001/_THUMB_path.jpg"}));
    EXPECT_TRUE(fs::exists(root / "Gal_0001/path.jpg"));
    EXPECT_EQ(FileNames(), std::vector<std::string>{"kite.jpg"});
    EXPECT_TRUE(store.InsertPicture(*copy.picture, 0).Empty());
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), "path.jpg\r\nkite.jpg\r\n");
    EXPECT_EQ(InsertionRow(-1, 3), 3u);
    EXPECT_EQ(InsertionRow(7, 3), 3u);
    EXPECT_EQ(InsertionRow(1, 3), 1u);
}

struct MoveCase {
    std::size_t from, to;
    const char* order;  // the file names' first letters afterwards
};
class MovePictureTest : public AlbumStoreTest, public testing::WithParamInterface<MoveCase> {};

// A moved picture takes the place it was dropped on; the ones between shift by one; the list is
// marked for writing only when its order changed.
TEST_P(MovePictureTest, TakesThePlaceDroppedOn) {
    fs::copy(program.Folder() + "gal/Gal_0001", root / "Gal_0001");
    WriteFile(root / "Gal_0001/Pictures.ini",
              "autumn.jpg\r\nby_the_water.jpg\r\ncold_ripple.jpg\r\nkite.jpg\r\npath.jpg\r\n");
    store.OpenAlbum("Gal_0001");
    const bool moved = store.MovePicture(GetParam().from, GetParam().to);
    std::string order;
    for (const std::string& name : FileNames()) order += name[0];
    EXPECT_EQ(order, GetParam().order);
    EXPECT_EQ(moved, order != "abckp");
    EXPECT_EQ(store.ListEdited(), moved);
}
INSTANTIATE_TEST_SUITE_P(Cases, MovePictureTest,
                         testing::Values(MoveCase{0, 3, "bckap"}, MoveCase{4, 0, "pabck"},
                                         MoveCase{1, 2, "acbkp"}, MoveCase{2, 2, "abckp"},
                                         MoveCase{1, 9, "abckp"}));

TEST_F(AlbumStoreTest, UniqueNamesKeepInnerDots) {
    WriteFile(root / "a.b.jpg", "x");
    WriteFile(root / "a.b_1.jpg", "x");
    EXPECT_EQ(AlbumStore::UniqueAlbumFileName(root / "a.b.jpg"), root / "a.b_2.jpg");
}

TEST_F(AlbumStoreTest, AReadOnlySourceGivesAWritableCopy) {
    WriteFile(root / "src/ro.jpg", ReadFile(Sample("kite.jpg")));
    fs::permissions(root / "src/ro.jpg", fs::perms::owner_read, fs::perm_options::replace);
    store.StartNewAlbum("");
    ASSERT_TRUE(store.AddPictureToAlbum(root / "src/ro.jpg", -1).Empty());
    EXPECT_NE(fs::status(root / "Gal_0001/ro.jpg").permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(AlbumStoreTest, AFailedCopyChangesNeitherListNorPictureList) {
    store.StartNewAlbum("");
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("kite.jpg"), -1).Empty());
    const StoreMessage message = store.AddPictureToAlbum(root / "gone.jpg", -1);
    EXPECT_EQ(message.textNumber, 10000);
    EXPECT_EQ(store.Pictures().size(), 1u);
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), "kite.jpg\r\n");
}

TEST_F(AlbumStoreTest, APictureThatCannotBeReadIsNotAddedAndTheMessageNamesIt) {
    store.StartNewAlbum("");
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("kite.jpg"), -1).Empty());
    for (const char* name : {"broken.jpg", "phone.HEIC"}) {
        WriteFile(root / name, "no picture in here");
        const StoreMessage message = store.AddPictureToAlbum(root / name, -1);
        EXPECT_NE(message.error.find(root / name), std::string::npos) << message.error;
        EXPECT_FALSE(fs::exists(root / (std::string("Gal_0001/") + name)));
    }
    EXPECT_EQ(store.Pictures().size(), 1u);
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), "kite.jpg\r\n");
}

// A phone's HEIC turned by its container and carrying its own EXIF (which still says "turn by 6"):
// the album gets an upright JPEG named after it, with its profile and camera fields, no orientation.
TEST_F(AlbumStoreTest, APictureOfAnotherFormatIsAddedAsAnUprightJpegCopyNamedAfterIt) {
    test::HeifOptions phone;
    phone.orientation = 6;  // stored lying, to be turned a quarter clockwise
    phone.iccProfile = test::DisplayP3Profile();
    phone.exif = test::PhoneExif(6).substr(6);  // HEIF keeps the TIFF part
    const RgbBuffer stored = test::Quadrants(96, 64, test::kRed, test::kGreen, test::kBlue, test::kWhite);
    WriteFile(root / "IMG_0042.HEIC", test::MakeHeif(stored, phone));
    store.StartNewAlbum("");
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("kite.jpg"), -1).Empty());
    WriteFile(root / "Gal_0001/IMG_0042.jpg", "a picture of that name is there already");
    const StoreMessage message = store.AddPictureToAlbum(root / "IMG_0042.HEIC", -1);
    ASSERT_TRUE(message.Empty()) << message.error;
    ASSERT_EQ(store.Pictures().size(), 2u);
    const std::string name = store.Pictures()[1].fileName;
    EXPECT_NE(name, "IMG_0042.jpg");  // unique, as any added picture's name
    EXPECT_EQ(name.substr(name.size() - 4), ".jpg");
    EXPECT_EQ(ReadFile(root / "Gal_0001/IMG_0042.jpg"), "a picture of that name is there already");

    const std::string copy = root / ("Gal_0001/" + name);
    TLEADImage image;
    image.Load(copy);
    ASSERT_EQ(image.Width(), 64);  // upright: the quarter turn is in the pixels
    ASSERT_EQ(image.Height(), 96);
    // Turned clockwise, the stored bottom-left (blue) quadrant is now top left.
    EXPECT_TRUE(test::Near(test::At(*image.Snapshot(), 10, 10), test::kBlue, 40));
    EXPECT_EQ(image.IccProfile(), test::DisplayP3Profile());
    const std::string bytes = ReadFile(copy);
    const std::size_t app1 = bytes.find("Exif");
    ASSERT_NE(app1, std::string::npos);
    const std::string kept = CameraExif(bytes.substr(app1));  // what the copy holds, read back
    EXPECT_NE(kept.find("Pocket 12"), std::string::npos);
    EXPECT_NE(kept.find("2026:07:14 18:30:05"), std::string::npos);
    EXPECT_EQ(
        ReadExifOrientation(reinterpret_cast<const unsigned char*>(bytes.data() + app1), bytes.size() - app1),
        ExifOrientation::Normal);
    // No GPS directory (its pointer tag 0x8825, in the source's big-endian order) in the segment.
    const std::size_t length =
        static_cast<unsigned char>(bytes[app1 - 2]) * 256u + static_cast<unsigned char>(bytes[app1 - 1]);
    EXPECT_EQ(bytes.substr(app1, length - 2).find("\x88\x25"), std::string::npos);
    EXPECT_NE(test::PhoneExif(6).find("\x88\x25"), std::string::npos);  // which the source has
    EXPECT_TRUE(fs::exists(root / ("Gal_0001/_THUMB_" + name)));
}

TEST_F(AlbumStoreTest, AnAlbumFolderThatCannotBeMadeIsReported) {
    WriteFile(root / "Gal_0001", "a file in the way");
    store.StartNewAlbum("");
    EXPECT_EQ(store.CurrentAlbum(), "Gal_0001");
    const StoreMessage message = store.AddPictureToAlbum(Sample("kite.jpg"), -1);
    EXPECT_NE(message.error.find("Gal_0001"), std::string::npos) << message.error;
    EXPECT_TRUE(store.Pictures().empty());
}

TEST_F(AlbumStoreTest, RemovingTheLastPictureLeavesAnEmptyListAndTheThumbnailUntilNextOpen) {
    store.StartNewAlbum("One");
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("kite.jpg"), -1).Empty());
    ASSERT_TRUE(store.RemovePictureFromAlbum(0).Empty());
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), "");
    EXPECT_FALSE(fs::exists(root / "Gal_0001/kite.jpg"));
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_kite.jpg"));
    store.OpenAlbum("Gal_0001");
    EXPECT_FALSE(fs::exists(root / "Gal_0001/_THUMB_kite.jpg"));
}

TEST_F(AlbumStoreTest, PurgeKeepsThumbnailsOfPresentPicturesOnly) {
    MakeAlbum("Gal_0001", "[BILDANO]\r\nTitel=x\r\n", "my_pic.jpg\r\n");
    for (const char* name : {"my_pic.jpg", "sunset.jpg", "_THUMB_my_pic.jpg", "_THUMB_my__pic.jpg",
                             "_THUMB_1sunset.jpg", "_THUMB_sunset.jpg", "_THUMB_removed.jpg"})
        WriteFile(root / ("Gal_0001/" + std::string(name)), "x");
    store.OpenAlbum("Gal_0001");
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_my_pic.jpg"));
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_my__pic.jpg"));
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_sunset.jpg"));
    EXPECT_FALSE(fs::exists(root / "Gal_0001/_THUMB_1sunset.jpg"));
    EXPECT_FALSE(fs::exists(root / "Gal_0001/_THUMB_removed.jpg"));
}

TEST_F(AlbumStoreTest, RemoveAllNeverTouchesTheAlbumRoot) {
    WriteFile(root / "keep.jpg", "the user's picture in the album root");
    store.ClearAlbumFolderPictures();
    store.RemoveAllPictures();
    EXPECT_TRUE(fs::exists(root / "keep.jpg"));
    store.StartNewAlbum("");
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("kite.jpg"), -1).Empty());
    ASSERT_TRUE(store.AddPictureToAlbum(Sample("path.jpg"), -1).Empty());
    store.RemoveAllPictures();
    EXPECT_TRUE(store.Pictures().empty());
    EXPECT_FALSE(fs::exists(root / "Gal_0001/_THUMB_kite.jpg"));
    EXPECT_TRUE(fs::exists(root / "Gal_0001/Bildano.ini"));
    EXPECT_TRUE(fs::exists(root / "keep.jpg"));
}

TEST_F(AlbumStoreTest, ANewAlbumWritesNothingUntilItsFirstPicture) {
    fs::create_directories(root / "Gal_0001");
    fs::create_directories(root / "Gal_0002");
    store.StartNewAlbum("Fresh");
    EXPECT_EQ(store.CurrentAlbum(), "Gal_0003");
    EXPECT_FALSE(fs::exists(root / "Gal_0003"));
    store.SavePictureList();
    EXPECT_FALSE(fs::exists(root / "Gal_0003"));
}

TEST_F(AlbumStoreTest, CaptionEditsReachThePictureListOnlyWhenItIsSaved) {
    fs::copy(program.Folder() + "gal/Gal_0001", root / "Gal_0001");
    store.OpenAlbum("Gal_0001");
    const std::string before = ReadFile(root / "Gal_0001/Pictures.ini");
    EXPECT_TRUE(store.SetCaption(0, "New caption"));
    EXPECT_FALSE(store.SetCaption(0, "New caption"));
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), before);
    store.SavePictureList();
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini").substr(0, 25), "autumn.jpg | New caption\r");
    EXPECT_EQ(store.ResolveAlbumPicturePath(1), root / "Gal_0001/by_the_water.jpg");
    const auto pictures = store.GalleryPictures();
    ASSERT_EQ(pictures.size(), 5u);
    EXPECT_EQ(pictures[0].caption, "New caption");
    EXPECT_EQ(pictures[4].path, root / "Gal_0001/path.jpg");
}

TEST_F(AlbumStoreTest, TheChooserListsRealAlbumsOnly) {
    MakeAlbum("Gal_0001", "[BILDANO]\r\nTitel=Holiday 2008\r\n", "");
    MakeAlbum("Gal_0002", "[BILDANO]\r\nTime=5\r\n", "");
    MakeAlbum("Gal_0003", "[BILDANO]\r\nTitel=SPECIALDUMMY\r\n", "");
    MakeAlbum("My trip", "[BILDANO]\r\nTitel=Hand made\r\n", "");
    MakeAlbum("del", "[BILDANO]\r\nTitel=SPECIALDUMMY\r\n", "");
    MakeAlbum("Model", "[BILDANO]\r\nTitel=hidden\r\n", "");
    MakeAlbum("Gal_0004.old", "[BILDANO]\r\nTitel=dotted\r\n", "");
    fs::create_directories(root / "Gal_0005");
    WriteFile(root / "Gal_0006", "a file");
    std::map<std::string, std::string> listed;
    for (const AlbumListing& album : store.ListAlbums()) listed[album.folder] = album.displayText;
    EXPECT_EQ(listed, (std::map<std::string, std::string>{{"Gal_0001", "Gal_0001 Holiday 2008"},
                                                          {"Gal_0002", "Gal_0002 "},
                                                          {"Gal_0003", "Gal_0003 SPECIALDUMMY"},
                                                          {"My trip", "My trip Hand made"}}));
}

TEST_F(AlbumStoreTest, DeletingRemovesExactlyTheChosenFolder) {
    MakeAlbum("My trip", "[BILDANO]\r\nTitel=a\r\n", "");
    MakeAlbum("My", "[BILDANO]\r\nTitel=b\r\n", "");
    EXPECT_TRUE(store.DeleteAlbumFolder("My trip"));
    EXPECT_FALSE(fs::exists(root / "My trip"));
    EXPECT_TRUE(fs::exists(root / "My/Bildano.ini"));
    EXPECT_FALSE(store.DeleteAlbumFolder(".."));
    EXPECT_FALSE(store.DeleteAlbumFolder(""));
    EXPECT_TRUE(fs::exists(root.Path()));
}

TEST_F(AlbumStoreTest, TheDeleteCommandEmptiesTheWorkspaceAndStartsAFreshNumber) {
    fs::copy(program.Folder() + "gal/Gal_0001", root / "Gal_0001");
    MakeAlbum("Gal_0002", "[BILDANO]\r\nTitel=Other\r\n", "");
    MakeAlbum("del", "[BILDANO]\r\nTitel=SPECIALDUMMY\r\n", "");
    store.OpenAlbum("Gal_0001");
    EXPECT_TRUE(store.DeleteAlbum("Gal_0002"));
    EXPECT_TRUE(store.Pictures().empty());
    EXPECT_EQ(store.AlbumTitle(), "");
    EXPECT_EQ(store.CurrentAlbum(), "Gal_0003");  // taken while Gal_0002 still stood
    EXPECT_FALSE(fs::exists(root / "Gal_0002"));
    EXPECT_TRUE(fs::exists(root / "Gal_0001/autumn.jpg"));
    EXPECT_FALSE(store.DeleteAlbum("Gal_0009"));
}

}  // namespace
}  // namespace wexbo

namespace wexbo {
namespace {

TEST_F(AlbumStoreTest, AnEditedListIsWrittenBeforeAnotherAlbumTakesItsPlace) {
    fs::copy(program.Folder() + "gal/Gal_0001", root / "Gal_0001");
    fs::copy(program.Folder() + "gal/Gal_0002", root / "Gal_0002");
    store.OpenAlbum("Gal_0001");
    store.SetCaption(0, "Typed, never saved");
    EXPECT_TRUE(store.OpenAlbum("Gal_0002").message.Empty());
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini").substr(0, 32), "autumn.jpg | Typed, never saved\r");

    ASSERT_TRUE(store.MovePicture(1, 0));
    const std::string second = store.Pictures()[0].fileName;
    EXPECT_TRUE(store.StartNewAlbum("Fresh").Empty());
    EXPECT_EQ(ReadFile(root / "Gal_0002/Pictures.ini").substr(0, second.size()), second);
    EXPECT_FALSE(store.ListEdited());
}

TEST_F(AlbumStoreTest, AnUneditedListIsNotRewritten) {
    MakeAlbum("Gal_0001", "[BILDANO]\r\nTitel=x\r\n", "as the user wrote it |  a  \r\n");
    store.OpenAlbum("Gal_0001");
    EXPECT_TRUE(store.SaveEditedList().Empty());
    store.StartNewAlbum("Other");
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), "as the user wrote it |  a  \r\n");
}

TEST_F(AlbumStoreTest, AnEntryLeadingOutOfTheAlbumLosesItsLineOnly) {
    const std::string precious = ReadFile(Sample("kite.jpg"));
    WriteFile(root / "Documents/precious.jpg", precious);
    WriteFile(root / "Documents/linked.jpg", precious);
    MakeAlbum("Gal_0001", "[BILDANO]\r\nTitel=x\r\n",
              "../Documents/precious.jpg | a\r\nlink.jpg | b\r\nown.jpg | c\r\n");
    fs::create_symlink(root / "Documents/linked.jpg", root / "Gal_0001/link.jpg");
    WriteFile(root / "Gal_0001/own.jpg", precious);
    store.OpenAlbum("Gal_0001");
    ASSERT_EQ(FileNames(), (std::vector<std::string>{"../Documents/precious.jpg", "link.jpg", "own.jpg"}));
    EXPECT_FALSE(fs::exists(root / "Documents/_THUMB_precious.jpg"));
    EXPECT_FALSE(store.EntryMayBeRewritten(0));
    EXPECT_FALSE(store.EntryMayBeRewritten(1));
    EXPECT_TRUE(store.EntryMayBeRewritten(2));

    EXPECT_TRUE(store.RemovePictureFromAlbum(0).Empty());
    EXPECT_TRUE(store.RemovePictureFromAlbum(0).Empty());
    EXPECT_EQ(ReadFile(root / "Documents/precious.jpg"), precious);
    EXPECT_EQ(ReadFile(root / "Documents/linked.jpg"), precious);
    EXPECT_EQ(ReadFile(root / "Gal_0001/Pictures.ini"), "own.jpg | c\r\n");
}

TEST_F(AlbumStoreTest, AnUnreachableAlbumRootIsReportedOnceNotThrown) {
    fs::create_directory_symlink(root / "loop", root / "loop");  // a link to itself
    AlbumStore looped(program.Folder(), root / "loop/");
    looped.StartNewAlbum("Trip");
    StoreMessage message;
    EXPECT_NO_THROW(message = looped.AddPictureToAlbum(Sample("kite.jpg"), -1));
    EXPECT_TRUE(message.albumUnwritable);
    EXPECT_NE(message.error.find(root / "loop/"), std::string::npos) << message.error;
    EXPECT_TRUE(looped.Pictures().empty());
    EXPECT_NO_THROW(looped.OpenAlbum("Gal_0001"));
    EXPECT_TRUE(looped.ListAlbums().empty());
}

TEST_F(AlbumStoreTest, TheDeleteQuestionNamesTheAlbum) {
    MakeAlbum("Gal_0001", "[BILDANO]\r\nTitel=Holiday 50%1\r\n", "");
    MakeAlbum("Gal_0002", "[BILDANO]\r\nTime=5\r\n", "");
    EXPECT_EQ(store.DeleteAlbumQuestion("Gal_0001", texts),
              "Do you really want to delete the album \"Holiday 50%1\" and all its pictures permanently?");
    EXPECT_NE(store.DeleteAlbumQuestion("Gal_0002", texts).find("\"Gal_0002\""), std::string::npos);
}

}  // namespace
}  // namespace wexbo
