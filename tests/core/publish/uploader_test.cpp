#include "publish/uploader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <set>

#include "publish/remote_folder.h"
#include "publish/upload_settings.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A small gallery in a folder, uploaded to another folder through the local destination.
class UploaderTest : public testing::Test {
protected:
    UploaderTest() {
        for (const char* name : {"a.jpg", "a_thumb.jpg", "a.html", "b.jpg", "b_thumb.jpg", "b.html",
                                 "gallery.html", "slideshow.html", "layout.css"})
            WriteFile(Gallery() + name, std::string("bytes of ") + name);
        std::string error;
        destination = *ParseDestination("file://" + Server(), error);
        request.galleryFolder = Gallery();
        request.destination = destination;
        request.recordFolder = dir / "data/uploads/";
    }
    std::string Gallery() const { return dir / "gallery/"; }
    std::string Server() const { return dir / "server/htdocs/"; }
    UploadResult Upload() {
        std::unique_ptr<RemoteFolder> remote = OpenRemoteFolder(destination, {});
        return UploadGallery(request, *remote);
    }
    static std::vector<std::string> Names(const std::vector<GalleryFile>& files) {
        std::vector<std::string> names;
        for (const GalleryFile& file : files) names.push_back(file.name);
        return names;
    }
    std::map<std::string, std::string> ServerFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(Server()))
            files[entry.path().filename()] = ReadFile(entry.path());
        return files;
    }
    ino_t Inode(const std::string& name) const {
        struct stat status {};
        ::stat((Server() + name).c_str(), &status);
        return status.st_ino;
    }

    TempDir dir;
    Destination destination;
    UploadRequest request;
};

TEST_F(UploaderTest, AFirstUploadSendsEverythingPicturesFirstAndTheOverviewLast) {
    WriteFile(Server() + "notes.txt", "the user's own");
    const UploadResult result = Upload();
    EXPECT_EQ(Names(result.plan.send),
              (std::vector<std::string>{"a.jpg", "a_thumb.jpg", "b.jpg", "b_thumb.jpg", "a.html", "b.html",
                                        "layout.css", "slideshow.html", "gallery.html"}));
    std::map<std::string, std::string> expected;
    for (const auto& entry : fs::directory_iterator(Gallery()))
        expected[entry.path().filename()] = ReadFile(entry.path());
    expected["notes.txt"] = "the user's own";
    EXPECT_EQ(ServerFiles(), expected);  // no temporary file left either
}

TEST_F(UploaderTest, ARepeatSendsNothingAndAChangeSendsExactlyWhatChanged) {
    Upload();
    const ino_t untouched = Inode("a.jpg");
    EXPECT_TRUE(Upload().plan.send.empty());
    EXPECT_EQ(Inode("a.jpg"), untouched);

    WriteFile(Gallery() + "b.html", "a new caption");
    WriteFile(Gallery() + "gallery.html", "the overview with a new caption");
    const UploadResult result = Upload();
    EXPECT_EQ(Names(result.plan.send), (std::vector<std::string>{"b.html", "gallery.html"}));
    EXPECT_EQ(ReadFile(Server() + "b.html"), "a new caption");
    EXPECT_EQ(Inode("a.jpg"), untouched);
}

TEST_F(UploaderTest, APictureThatLeftHasItsFilesRemovedAndNothingElse) {
    Upload();
    WriteFile(Server() + "index.php", "<?php // the user's own");
    for (const char* name : {"b.jpg", "b_thumb.jpg", "b.html"}) fs::remove(Gallery() + name);
    const UploadResult result = Upload();
    // Pages come off before their pictures.
    EXPECT_EQ(result.plan.remove, (std::vector<std::string>{"b.html", "b.jpg", "b_thumb.jpg"}));
    for (const char* name : {"b.jpg", "b_thumb.jpg", "b.html"})
        EXPECT_FALSE(fs::exists(Server() + name)) << name;
    EXPECT_EQ(ReadFile(Server() + "index.php"), "<?php // the user's own");
    EXPECT_TRUE(fs::exists(Server() + "a.jpg"));
}

TEST_F(UploaderTest, AFileChangedOrLostOnTheServerIsSentAgain) {
    Upload();
    WriteFile(Server() + "a.jpg", "cut");  // another size than the record's
    fs::remove(Server() + "b_thumb.jpg");  // gone
    EXPECT_EQ(Names(Upload().plan.send), (std::vector<std::string>{"a.jpg", "b_thumb.jpg"}));
    EXPECT_EQ(ReadFile(Server() + "a.jpg"), "bytes of a.jpg");
}

// A failure part way leaves every page that reached the server with its pictures; the next upload
// sends only what is missing.
TEST_F(UploaderTest, ABrokenUploadLeavesNoPageWithoutItsPicturesAndTheNextOneFinishes) {
    fs::create_directories(Server() + TemporaryUploadName("b.html"));  // the server refuses that one
    try {
        Upload();
        FAIL() << "the upload went through";
    } catch (const RemoteError& error) {
        EXPECT_NE(std::string(error.what()).find("b.html"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(fs::exists(Server() + "a.html"));
    for (const char* name : {"a.jpg", "a_thumb.jpg", "b.jpg", "b_thumb.jpg"})
        EXPECT_TRUE(fs::exists(Server() + name));
    EXPECT_FALSE(fs::exists(Server() + "gallery.html"));

    fs::remove_all(Server() + TemporaryUploadName("b.html"));
    EXPECT_EQ(Names(Upload().plan.send),
              (std::vector<std::string>{"b.html", "layout.css", "slideshow.html", "gallery.html"}));
}

TEST_F(UploaderTest, ADryRunPlansButTouchesNothing) {
    request.dryRun = true;
    const UploadResult result = Upload();
    EXPECT_EQ(result.plan.send.size(), 9u);
    EXPECT_FALSE(fs::exists(Server()));
    EXPECT_FALSE(fs::exists(UploadRecordFile(request.recordFolder, destination)));
}

TEST_F(UploaderTest, ProgressCountsFilesAndBytesUpToTheWhole) {
    std::vector<UploadProgress> steps;
    request.progress = [&](const UploadProgress& step) { steps.push_back(step); };
    const UploadResult result = Upload();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().filesDone, 9);
    EXPECT_EQ(steps.back().filesTotal, 9);
    EXPECT_EQ(steps.back().bytesDone, result.plan.BytesToSend());
    for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_GE(steps[i].bytesDone, steps[i - 1].bytesDone);
}

TEST_F(UploaderTest, ACancelledUploadStopsBetweenFilesAndKeepsTheRecordOfWhatArrived) {
    std::atomic<bool> cancel{false};
    request.cancel = &cancel;
    request.progress = [&](const UploadProgress& step) {
        if (step.filesDone == 3) cancel = true;
    };
    // Asked while the fourth file goes up: that one is finished, the fifth is not begun.
    EXPECT_TRUE(Upload().cancelled);
    EXPECT_EQ(ReadUploadRecord(UploadRecordFile(request.recordFolder, destination)).size(), 4u);
    EXPECT_TRUE(fs::exists(Server() + "b_thumb.jpg"));
    EXPECT_FALSE(fs::exists(Server() + "a.html"));
    request.progress = {};
    cancel = false;
    EXPECT_EQ(Upload().plan.send.size(), 5u);
}

TEST(UploadRecordTest, WritesAndReadsBackEveryFileAndSkipsForeignLines) {
    TempDir dir;
    std::string error;
    const Destination destination = *ParseDestination("sftp://anna@example.org/~/www/", error);
    const std::string file = UploadRecordFile(dir / "uploads/", destination);
    const UploadRecord record{{"a.jpg", {12, "0123abcd"}}, {"caf\xC3\xA9 & bar.html", {0, "ffff"}}};
    WriteUploadRecord(file, destination, record);
    EXPECT_EQ(ReadUploadRecord(file), record);
    WriteFile(file, ReadFile(file) + "no tabs here\r\n../escape\t1\tx\r\nnegative\t-3\tx\r\n");
    EXPECT_EQ(ReadUploadRecord(file), record);
    EXPECT_NE(UploadRecordFile(dir / "uploads/", *ParseDestination("sftp://anna@example.org/www/", error)),
              file);
}

TEST(UploadSettingsTest, TheDestinationIsRememberedBesideTheOtherSettingsButNeverAPassword) {
    TempDir dir;
    const std::string file = dir / "Gallery_Gal_0001.ini";
    WriteFile(file, "[SETTINGS]\r\nPicProRow=3\r\n");
    const UploadSettings settings{"sftp://example.org/~/www/", "anna", "/home/anna/.ssh/web"};
    ASSERT_TRUE(SaveUploadSettings(file, settings));
    EXPECT_EQ(ReadUploadSettings(file), settings);
    EXPECT_NE(ReadFile(file).find("PicProRow=3"), std::string::npos);
    EXPECT_EQ(ReadUploadSettings(dir / "none.ini"), UploadSettings{});
}

TEST(UploadSettingsTest, TheUserGoesIntoTheAddressUnlessItNamesOne) {
    EXPECT_EQ(AddressWithUser("sftp://example.org/~/www/", "anna"), "sftp://anna@example.org/~/www/");
    EXPECT_EQ(AddressWithUser("ftps://web@example.org:2121/x/", "anna"), "ftps://web@example.org:2121/x/");
    EXPECT_EQ(AddressWithUser(" /media/stick/ ", "anna"), "/media/stick/");
    EXPECT_EQ(AddressWithUser("file:///srv/www/", "anna"), "file:///srv/www/");
    EXPECT_EQ(AddressWithUser("ftp://example.org", ""), "ftp://example.org");
}

}  // namespace
}  // namespace wexbo
