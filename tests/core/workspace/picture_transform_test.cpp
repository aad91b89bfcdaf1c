#include "workspace/picture_transform.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "album/album_entry.h"
#include "album/album_store.h"
#include "imaging/lead_image.h"
#include "jpeg_fixtures.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::TempDir;
using test::WriteFile;

// A picture whose left half is red and right half blue.
void SaveHalves(const std::string& path, int width, int height) {
    TLEADImage image;
    image.SetPicture(test::Quadrants(width, height, test::kRed, test::kBlue, test::kRed, test::kBlue));
    image.Save(path);
}

// Red channel at a point of a saved picture.
int RedAt(const std::string& path, int x, int y) {
    TLEADImage image;
    image.Load(path);
    return image.Snapshot()->Row(y)[3 * x];
}

class PictureTransformTest : public testing::Test {
protected:
    PictureTransformTest() : store("/nonexistent-program/", root.Path()) {
        WriteFile(root / "Gal_0001/Bildano.ini", "[BILDANO]\r\nTitel=T\r\n");
        SaveHalves(root / "Gal_0001/wide.jpg", 1600, 1200);
        SaveHalves(root / "Gal_0001/other.jpg", 64, 32);
        WriteFile(root / "Gal_0001/Pictures.ini", "wide.jpg | Wide one\r\nother.jpg | Other\r\n");
        store.OpenAlbum("Gal_0001");
    }
    TempDir root;
    AlbumStore store;
    TLEADImage preview{"LEADImage2"};
};

TEST_F(PictureTransformTest, QuarterTurnSavesTheTurnedPictureAndANumberedThumbnail) {
    const TransformResult result = TransformAlbumPicture(store, 0, preview, "90");
    ASSERT_TRUE(result.ok) << result.errorText;
    TLEADImage saved;
    saved.Load(root / "Gal_0001/wide.jpg");
    EXPECT_EQ(saved.Width(), 1200);
    EXPECT_EQ(saved.Height(), 1600);
    TLEADImage thumbnail;
    thumbnail.Load(root / "Gal_0001/_THUMB_1wide.jpg");
    EXPECT_EQ(thumbnail.Width(), 52);
    EXPECT_EQ(thumbnail.Height(), 70);
    EXPECT_EQ(store.Pictures()[0].thumbnailPath, root / "Gal_0001/_THUMB_1wide.jpg");
    EXPECT_EQ(store.Pictures()[0].caption, "Wide one");

    ASSERT_TRUE(TransformAlbumPicture(store, 0, preview, "-90").ok);
    EXPECT_EQ(store.Pictures()[0].thumbnailPath, root / "Gal_0001/_THUMB_2wide.jpg");
    EXPECT_TRUE(fs::exists(root / "Gal_0001/_THUMB_1wide.jpg"));
}

TEST_F(PictureTransformTest, MirrorsExchangeTheRightSides) {
    ASSERT_TRUE(TransformAlbumPicture(store, 1, preview, "FlipV").ok);
    EXPECT_LT(RedAt(root / "Gal_0001/other.jpg", 4, 16), 60);    // left is blue now
    EXPECT_GT(RedAt(root / "Gal_0001/other.jpg", 60, 16), 200);  // right is red
    ASSERT_TRUE(TransformAlbumPicture(store, 1, preview, "FlipH").ok);
    EXPECT_LT(RedAt(root / "Gal_0001/other.jpg", 4, 16), 60);  // top and bottom only
}

TEST_F(PictureTransformTest, APreviewOfAnotherPictureIsNeverSavedOverThisOne) {
    preview.Load(root / "Gal_0001/wide.jpg");  // still showing entry 0
    ASSERT_TRUE(TransformAlbumPicture(store, 1, preview, "180").ok);
    TLEADImage saved;
    saved.Load(root / "Gal_0001/other.jpg");
    EXPECT_EQ(saved.Width(), 64);
    EXPECT_EQ(saved.Height(), 32);
}

TEST_F(PictureTransformTest, AFailedSaveLeavesTheEntryAndReportsTheError) {
    const AlbumPicture before = store.Pictures()[1];
    preview.Load(root / "Gal_0001/other.jpg");
    fs::remove(root / "Gal_0001/other.jpg");
    fs::create_directories(root / "Gal_0001/other.jpg");  // a folder where the picture file is
    const TransformResult result = TransformAlbumPicture(store, 1, preview, "90");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.errorText.empty());
    EXPECT_EQ(store.Pictures()[1], before);
    EXPECT_FALSE(fs::exists(root / "Gal_0001/_THUMB_1other.jpg"));
}

}  // namespace
}  // namespace wexbo
