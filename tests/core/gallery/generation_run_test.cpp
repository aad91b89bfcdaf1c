#include "gallery/generation_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <set>

#include "gallery/gallery_publish.h"
#include "gallery/modern_pages.h"
#include "gallery/web_picture_cache.h"
#include "gallery_fixtures.h"
#include "util/files.h"
#include "util/ini_file.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::FolderListing;
using test::GalleryPlace;
using test::MakeJpeg;
using test::ReadFile;
using test::WriteFile;

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename());
    return names;
}

class GenerationRunTest : public testing::Test {
protected:
    GenerationRunTest() : random(7) {
        request.albumTitle = "Holiday";
        request.texts = LoadProgramTexts(place.ProgramFolder(), place.ProgramFolder()).In(Language::English);
        request.folders = {place.ProgramFolder(),  place.DataFolder(),   place.WorkFolder(),
                           place.TemplateFolder(), place.OutputFolder(), place.CacheFolder()};
        request.random = &random;
        for (const char* name : {"Sea.jpg", "hill.jpg", "Town.JPG"}) AddPicture(name);
    }
    void AddPicture(const std::string& name, const std::string& caption = "", int width = 320,
                    int height = 240) {
        MakeJpeg(place.PictureFolder() + name, width, height, 0x336699);
        request.pictures.push_back({place.PictureFolder() + name, caption});
    }
    GenerationResult Run() {
        GenerationResult result = RunGeneration(request);
        return result;
    }

    GalleryPlace place;
    SeededRandom random;
    GenerationRequest request;
};

TEST_F(GenerationRunTest, ThreePicturesGiveTwentyFiles) {
    const GenerationResult result = Run();
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.galleryPage, place.OutputFolder() + "gallery.html");
    EXPECT_EQ(NamesIn(place.OutputFolder()),
              (std::set<std::string>{"gallery.html",   "slideshow.html", "layout.css", "sea.html",
                                     "sea.jpg",        "sea_thumb.jpg",  "hill.html",  "hill.jpg",
                                     "hill_thumb.jpg", "town.html",      "town.jpg",   "town_thumb.jpg",
                                     "slideshow.js",   "restore.png",    "x.png",      "slideshow.gif",
                                     "gallery.gif",    "previous.gif",   "home.gif",   "next.gif"}));
    EXPECT_EQ(std::set<std::string>(result.files.begin(), result.files.end()), NamesIn(place.OutputFolder()));
    EXPECT_EQ(ReadFile(place.OutputFolder() + "next.gif"), "set 01 next.gif");
    EXPECT_EQ(ReadFile(place.OutputFolder() + "x.png"), "script x.png");
    // The work folder holds the same gallery; the templates stay in their own folder.
    EXPECT_EQ(FolderListing(place.WorkFolder()), FolderListing(place.OutputFolder()));
    EXPECT_EQ(NamesIn(place.TemplateFolder()),
              (std::set<std::string>{"gallery.ht1", "gallery.ht2", "einzel.ht1", "einzel.ht2",
                                     "slideshow.ht1", "slideshow.ht2"}));
}

// With the program's own picks, a rebuild with nothing changed writes the very same pages.
TEST_F(GenerationRunTest, ARebuildWithNothingChangedWritesTheSamePages) {
    request.random = nullptr;
    request.texts = request.texts.In(Language::German);  // German pages pick their description too
    ASSERT_TRUE(Run().ok);
    std::map<std::string, std::string> first;
    for (const std::string& name : NamesIn(place.OutputFolder()))
        first[name] = ReadFile(place.OutputFolder() + name);
    ASSERT_TRUE(Run().ok);
    for (const auto& [name, bytes] : first) EXPECT_EQ(ReadFile(place.OutputFolder() + name), bytes) << name;
}

// A rebuild leaves every file whose bytes did not change as it is: same inode, same time. A changed
// caption replaces only the pages that show it: the picture's own and the slideshow.
TEST_F(GenerationRunTest, ARebuildReplacesOnlyTheFilesThatChanged) {
    for (bool keepWorkCopy : {true, false}) {
        SCOPED_TRACE(keepWorkCopy ? "linked or copied" : "moved");
        request.keepWorkCopy = keepWorkCopy;
        request.random = nullptr;
        request.pictures[1].caption = "Hill";
        ASSERT_TRUE(Run().ok);
        auto identities = [&] {
            std::map<std::string, std::pair<ino_t, long long>> files;
            for (const std::string& name : NamesIn(place.OutputFolder())) {
                struct stat status {};
                ::stat((place.OutputFolder() + name).c_str(), &status);
                files[name] = {status.st_ino, status.st_mtim.tv_sec * 1000000000ll + status.st_mtim.tv_nsec};
            }
            return files;
        };
        const auto before = identities();
        ASSERT_TRUE(Run().ok);
        EXPECT_EQ(identities(), before);
        request.pictures[1].caption = "The hill";
        ASSERT_TRUE(Run().ok);
        const auto after = identities();
        for (const auto& [name, identity] : before) {
            if (name == "hill.html" || name == "slideshow.html")
                EXPECT_NE(after.at(name), identity) << name;
            else
                EXPECT_EQ(after.at(name), identity) << name;
        }
        EXPECT_NE(ReadFile(place.OutputFolder() + "hill.html").find("The hill"), std::string::npos);
    }
}

TEST_F(GenerationRunTest, WithoutAWorkCopyTheFilesMoveIntoTheOutputFolder) {
    request.keepWorkCopy = false;
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(NamesIn(place.OutputFolder()).size(), 20u);
    EXPECT_TRUE(NamesIn(place.WorkFolder()).empty());
    request.pictures.pop_back();
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(NamesIn(place.OutputFolder()).size(), 17u);  // the record still knows what the run wrote
}

TEST_F(GenerationRunTest, TheChosenButtonSetIsCopiedAndMissingSetsComeFromTheProgram) {
    request.settings.buttons = 6;
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(ReadFile(place.OutputFolder() + "home.gif"), "set 07 home.gif");

    // The data folder lacks set 03: the shipped one is copied in; a file already there stays.
    fs::remove_all(place.DataFolder() + "buttons/03");
    for (const char* name : {"slideshow.gif", "gallery.gif", "previous.gif", "home.gif", "next.gif"})
        WriteFile(place.ProgramFolder() + std::string("buttons/03/") + name, "shipped 03");
    WriteFile(place.ProgramFolder() + "buttons/07/home.gif", "shipped 07");
    request.settings.buttons = 2;
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(ReadFile(place.OutputFolder() + "home.gif"), "shipped 03");
    EXPECT_EQ(ReadFile(place.DataFolder() + "buttons/07/home.gif"), "set 07 home.gif");
}

TEST_F(GenerationRunTest, AMissingButtonImageFailsTheRunInsteadOfLeavingBrokenPages) {
    fs::remove(place.DataFolder() + "buttons/01/home.gif");
    fs::remove(place.ProgramFolder() + "buttons/01/home.gif");
    const GenerationResult result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("buttons/01/home.gif"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(place.OutputFolder()));
}

TEST_F(GenerationRunTest, ASecondRunRemovesTheFilesOfAPictureThatLeftButNoUserFile) {
    ASSERT_TRUE(Run().ok);
    WriteFile(place.OutputFolder() + "notes.txt", "my own file");
    WriteFile(place.OutputFolder() + "hill.html", "edited by hand after the run");
    request.pictures.erase(request.pictures.begin() + 1);  // hill.jpg leaves the album
    ASSERT_TRUE(Run().ok);
    const std::set<std::string> names = NamesIn(place.OutputFolder());
    EXPECT_FALSE(names.count("hill.jpg"));
    EXPECT_FALSE(names.count("hill_thumb.jpg"));
    EXPECT_EQ(ReadFile(place.OutputFolder() + "notes.txt"), "my own file");
    EXPECT_EQ(ReadFile(place.OutputFolder() + "hill.html"), "edited by hand after the run");
    EXPECT_EQ(names.size(), 3u * 2 + 11 + 2);
    // The record lives in the data folder, not among the gallery's files.
    EXPECT_TRUE(FileExists(PublishRecordFile(place.DataFolder() + "galleries/", place.OutputFolder())));
}

TEST_F(GenerationRunTest, UserFilesInAnOutputFolderAreNeverDeleted) {
    WriteFile(place.OutputFolder() + "letter.doc", "the user's letter");
    ASSERT_TRUE(Run().ok);
    request.pictures.erase(request.pictures.begin());
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(ReadFile(place.OutputFolder() + "letter.doc"), "the user's letter");
    EXPECT_FALSE(FileExists(place.OutputFolder() + "sea.jpg"));
}

TEST_F(GenerationRunTest, TooManyPicturesPerRowTouchNothing) {
    WriteFile(place.OutputFolder() + "old.html", "old gallery");
    WriteFile(place.WorkFolder() + "left.jpg", "left in the work folder");
    request.settings.picturesPerRow = 5;
    request.settingsFile = place.ProgramFolder() + "Gallery_Gal_0001.ini";
    const std::string outputBefore = FolderListing(place.OutputFolder());
    const std::string workBefore = FolderListing(place.WorkFolder());
    const GenerationResult result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(result.error,
              "Please do not use more than 4 pictures in a row to ensure a Mobile Friendly web page! "
              "(Mobile Phone Suitability)");
    EXPECT_EQ(FolderListing(place.OutputFolder()), outputBefore);
    EXPECT_EQ(FolderListing(place.WorkFolder()), workBefore);
    EXPECT_FALSE(FileExists(request.settingsFile));
    EXPECT_FALSE(fs::exists(place.TemplateFolder()));
}

TEST_F(GenerationRunTest, AFailedRunLeavesTheOldGalleryAsItWas) {
    ASSERT_TRUE(Run().ok);
    WriteFile(place.OutputFolder() + "notes.txt", "mine");
    const std::string before = FolderListing(place.OutputFolder());
    AddPicture("late.jpg");
    WriteFile(place.PictureFolder() + "late.jpg", "not a picture any more");
    const GenerationResult result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(place.PictureFolder() + "late.jpg"), std::string::npos) << result.error;
    EXPECT_EQ(FolderListing(place.OutputFolder()), before);
}

TEST_F(GenerationRunTest, APageThatCannotBeWrittenFailsTheRunAfterABrokenPicture) {
    // The detail pages are written while the pictures are converted: a failure there still waits
    // for the pictures, and a broken picture is the error reported, as when pages came after.
    fs::create_directories(place.TemplateFolder() + "einzel.ht1");
    GenerationResult result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("einzel.ht1"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(place.OutputFolder() + "gallery.html"));

    AddPicture("late.jpg");
    WriteFile(place.PictureFolder() + "late.jpg", "not a picture");
    result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(place.PictureFolder() + "late.jpg"), std::string::npos) << result.error;
}

TEST_F(GenerationRunTest, AWebCopyNeverReplacesASourcePicture) {
    request.folders.outputFolder = place.PictureFolder();
    const std::string before = FolderListing(place.PictureFolder());
    const GenerationResult result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(place.PictureFolder() + "hill.jpg"), std::string::npos) << result.error;
    EXPECT_EQ(FolderListing(place.PictureFolder()), before);
}

TEST_F(GenerationRunTest, DuplicateAndClashingWebNamesKeepEveryPicturesFiles) {
    request.pictures.clear();
    AddPicture("gallery.jpg", "the gallery picture", 300, 200);
    AddPicture("a.jpg", "first a", 310, 200);
    AddPicture("sub/A.jpg", "second a", 320, 200);
    AddPicture("a_thumb.jpg", "a thumb", 330, 200);
    request.settings.textVisible = true;
    const GenerationResult result = Run();
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(NamesIn(place.OutputFolder()).size(), 4u * 3 + 11);
    const std::string overview = ReadFile(place.OutputFolder() + "gallery.html");
    for (const char* cell :
         {"<a href=\"gallery_2.html\"><img loading=\"lazy\" class=\"sca\" src=\"gallery_2_thumb.jpg\"",
          "<a href=\"a.html\"><img loading=\"lazy\" class=\"sca\" src=\"a_thumb.jpg\"",
          "<a href=\"a_2.html\"><img loading=\"lazy\" class=\"sca\" src=\"a_2_thumb.jpg\"",
          "<a href=\"a_thumb_2.html\"><img loading=\"lazy\" class=\"sca\" src=\"a_thumb_2_thumb.jpg\""})
        EXPECT_NE(overview.find(cell), std::string::npos) << cell;
    EXPECT_NE(overview.find("<title>Holiday</title>"), std::string::npos);  // still the overview page
    EXPECT_NE(ReadFile(place.OutputFolder() + "a_2.html").find("second a"), std::string::npos);
    EXPECT_NE(ReadFile(place.OutputFolder() + "a_thumb_2.html").find("src=\"a_thumb_2.jpg\""),
              std::string::npos);
}

TEST_F(GenerationRunTest, ACaptionHoldingAGreaterThanSignReachesThePagesWhole) {
    request.pictures[1].caption = "Sunset > sunrise | really";
    request.settings.textVisible = true;
    const GenerationResult result = Run();
    ASSERT_TRUE(result.ok) << result.error;
    const std::string page = ReadFile(place.OutputFolder() + "hill.html");
    EXPECT_NE(page.find("<br>Sunset &gt; sunrise | really<br>"), std::string::npos);
}

TEST_F(GenerationRunTest, OneOrTwoThreadsMakeTheSameGallery) {
    AddPicture("portrait.jpg", "", 240, 320);
    request.settings.shapeVisible = true;
    request.jobs = 1;
    ASSERT_TRUE(Run().ok);
    const std::string single = FolderListing(place.OutputFolder());
    random = SeededRandom(7);
    request.jobs = 2;
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(FolderListing(place.OutputFolder()), single);
}

TEST_F(GenerationRunTest, ProgressCountsPicturesWithTheLabelText) {
    std::vector<std::string> texts;
    std::vector<int> percents;
    request.progress = [&](const GenerationProgress& step) {
        texts.push_back(step.text.substr(step.text.rfind(' ') + 1));
        percents.push_back(step.percent);
        EXPECT_EQ(step.total, 3);
    };
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(texts, (std::vector<std::string>{"1/3", "2/3", "3/3"}));
    EXPECT_EQ(percents, (std::vector<int>{33, 67, 100}));
}

// The pages and the progress speak the request's language, whatever the program's is.
TEST_F(GenerationRunTest, EveryTextOfTheRunIsInTheRequestsLanguage) {
    IniFile::Write(place.ProgramFolder() + "Generator.ini", "SETTINGS", "Language", "GERMAN");
    request.texts = LoadProgramTexts(place.ProgramFolder(), place.ProgramFolder()).In(Language::French);
    std::vector<std::string> labels;
    request.progress = [&](const GenerationProgress& step) { labels.push_back(step.text); };
    ASSERT_TRUE(Run().ok);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], "Conversion des photos pour le Web : 1/3");
    EXPECT_NE(ReadFile(place.OutputFolder() + "gallery.html").find("Cliquez pour agrandir"),
              std::string::npos);
}

TEST_F(GenerationRunTest, ACancelledRunLeavesTheOutputFolderAlone) {
    std::atomic<bool> cancel{false};
    request.cancel = &cancel;
    request.jobs = 1;
    request.progress = [&](const GenerationProgress&) { cancel = true; };
    const GenerationResult result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(fs::exists(place.OutputFolder()));
}

TEST_F(GenerationRunTest, TheWindowsRunSavesItsSettingsAndTheCommandLinesDoesNot) {
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(NamesIn(place.ProgramFolder()).count("Gallery_Gal_0001.ini"), 0u);
    request.settingsFile = place.ProgramFolder() + "Gallery_Gal_0001.ini";
    request.settings.smallPicX = 90;
    ASSERT_TRUE(Run().ok);
    const GallerySettings saved = ReadGallerySettings(request.settingsFile);
    EXPECT_EQ(saved.smallPicX, 90);
    EXPECT_EQ(saved.outputPath, place.OutputFolder());
}

TEST_F(GenerationRunTest, AnOutputFolderThatCannotBeMadeIsReported) {
    WriteFile(place.OutputFolder().substr(0, place.OutputFolder().size() - 1), "a file in the way");
    const GenerationResult result = Run();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("output folder"), std::string::npos) << result.error;
}

TEST(SlideshowNoticeTest, GermanOrEnglish) {
    EXPECT_EQ(SlideshowNotice(Language::German),
              "Info: Slideshow funktioniert nur im \"Standard Browser\" oder online!!");
    EXPECT_EQ(SlideshowNotice(Language::Spanish),
              "Info: Slide show only works in \"Standard Browser\" or online!");
}

}  // namespace
}  // namespace wexbo

namespace wexbo {
namespace {

// The cache of web pictures: a rebuild takes what it holds for an unchanged source and settings,
// converts again whatever changed, never trusts a damaged entry and stays within its limit.
class WebPictureCacheTest : public GenerationRunTest {
protected:
    WebPictureOptions Options() const {
        WebPictureOptions options;
        options.overviewSetting = request.settings.smallPicX;
        options.fullSizeSetting = request.settings.largePicX;
        options.frame = request.settings.shapeVisible;
        options.backgroundColor = request.settings.bkgColor;
        return options;
    }
    WebPictureCache Cache() const {
        return WebPictureCache(place.CacheFolder() + "web-pictures/", request.cacheLimit);
    }
    std::string Key(const std::string& name) const {
        return WebPictureCache::KeyOf(place.PictureFolder() + name, Options());
    }
    std::string ModernKey(const std::string& name, int density) const {
        WebPictureOptions options = Options();
        options.jpeg = kModernPictureJpeg;
        options.overviewJpeg = kModernOverviewJpeg;
        options.doubleDensity = true;
        return WebPictureCache::KeyOf(place.PictureFolder() + name, options, density);
    }
    // Puts a pair of marked bytes under the source's key, so the test can tell a taken pair from a
    // converted one.
    void PlantMarkedPair(const std::string& name) {
        Cache().Keep(Key(name), {{320, 240}, {{107, 80}, {600, 450}}, {}}, "marked overview",
                     "marked full size");
    }
    bool Taken() const { return ReadFile(place.OutputFolder() + "sea_thumb.jpg") == "marked overview"; }
    std::size_t Entries() const {
        std::size_t entries = 0;
        for (const auto& entry : fs::directory_iterator(place.CacheFolder() + "web-pictures"))
            entries += entry.path().extension() == ".webpair";
        return entries;
    }
};

TEST_F(WebPictureCacheTest, AnUnchangedSourceIsTakenAndAnyChangeConvertsItAgain) {
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(Entries(), 3u);
    PlantMarkedPair("Sea.jpg");
    ASSERT_TRUE(Run().ok);
    EXPECT_TRUE(Taken());
    EXPECT_EQ(ReadFile(place.OutputFolder() + "sea.jpg"), "marked full size");

    // A touch changes the source's times: converted again, and the new pair kept.
    const std::string key = Key("Sea.jpg");
    fs::last_write_time(place.PictureFolder() + "Sea.jpg", fs::file_time_type::clock::now());
    EXPECT_NE(Key("Sea.jpg"), key);
    ASSERT_TRUE(Run().ok);
    EXPECT_FALSE(Taken());
    EXPECT_EQ(ReadFile(place.OutputFolder() + "sea_thumb.jpg").substr(0, 2), "\xFF\xD8");

    // Each setting that shapes the pictures gives another key.
    PlantMarkedPair("Sea.jpg");
    const std::string planted = Key("Sea.jpg");
    request.settings.smallPicX += 10;
    EXPECT_NE(Key("Sea.jpg"), planted);
    ASSERT_TRUE(Run().ok);
    EXPECT_FALSE(Taken());
    request.settings.smallPicX -= 10;
    for (auto change :
         {+[](GallerySettings& s) { s.largePicX += 1; }, +[](GallerySettings& s) { s.shapeVisible = true; },
          +[](GallerySettings& s) { s.bkgColor = 0x123456; }}) {
        GallerySettings saved = request.settings;
        change(request.settings);
        EXPECT_NE(Key("Sea.jpg"), planted);
        request.settings = saved;
    }
    EXPECT_EQ(Key("Sea.jpg"), planted);

    // "Convert all pictures again" takes nothing and keeps the new pairs.
    request.convertAll = true;
    ASSERT_TRUE(Run().ok);
    EXPECT_FALSE(Taken());
    request.convertAll = false;
    ASSERT_TRUE(Run().ok);
    EXPECT_FALSE(Taken());
}

// Without a work copy (the command line), a picture taken from the cache is written only where the
// output folder lacks it: a deleted or changed one comes back, the others are not touched.
TEST_F(WebPictureCacheTest, APictureTakenFromTheCacheIsWrittenOnlyWhereTheOutputLacksIt) {
    request.keepWorkCopy = false;
    ASSERT_TRUE(Run().ok);
    const std::string sea = ReadFile(place.OutputFolder() + "sea.jpg");
    fs::remove(place.OutputFolder() + "sea.jpg");
    WriteFile(place.OutputFolder() + "hill.jpg", "changed by hand");
    struct stat town {};
    ::stat((place.OutputFolder() + "town.jpg").c_str(), &town);
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(ReadFile(place.OutputFolder() + "sea.jpg"), sea);
    EXPECT_EQ(ReadFile(place.OutputFolder() + "hill.jpg").substr(0, 2), "\xFF\xD8");
    struct stat again {};
    ::stat((place.OutputFolder() + "town.jpg").c_str(), &again);
    EXPECT_EQ(again.st_ino, town.st_ino);
    EXPECT_FALSE(FileExists(place.WorkFolder() + "town.jpg"));  // never written for this run
}

// The modern style's pictures are encoded otherwise and come in two densities: entries of their
// own, each density taken on its own, and a picture missing either converted whole.
TEST_F(WebPictureCacheTest, TheModernStyleKeepsBothDensitiesApartFromTheClassicPictures) {
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(Entries(), 3u);
    request.settings.pageStyle = PageStyle::Modern;
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(Entries(), 9u);
    EXPECT_NE(ModernKey("Sea.jpg", 1), Key("Sea.jpg"));
    EXPECT_NE(ModernKey("Sea.jpg", 2), ModernKey("Sea.jpg", 1));
    for (const char* name : {"sea_thumb@2x.jpg", "sea@2x.jpg", "hill@2x.jpg", "town_thumb@2x.jpg"})
        EXPECT_EQ(ReadFile(place.OutputFolder() + name).substr(0, 2), "\xFF\xD8") << name;

    Cache().Keep(ModernKey("Sea.jpg", 2), {{320, 240}, {{213, 160}, {1200, 900}}, {}}, "marked 2x overview",
                 "marked 2x full size");
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(ReadFile(place.OutputFolder() + "sea@2x.jpg"), "marked 2x full size");
    EXPECT_EQ(ReadFile(place.OutputFolder() + "sea_thumb@2x.jpg"), "marked 2x overview");

    fs::remove(Cache().EntryFile(ModernKey("Sea.jpg", 1)));
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(ReadFile(place.OutputFolder() + "sea@2x.jpg").substr(0, 2), "\xFF\xD8");
    EXPECT_TRUE(FileExists(Cache().EntryFile(ModernKey("Sea.jpg", 1))));
    EXPECT_EQ(Entries(), 9u);
}

TEST_F(WebPictureCacheTest, ADamagedEntryIsConvertedAgainAndReplaced) {
    ASSERT_TRUE(Run().ok);
    const std::string entry = Cache().EntryFile(Key("Sea.jpg"));
    const std::string whole = ReadFile(entry);
    for (const std::string& damaged :
         {whole.substr(0, whole.size() - 10), std::string(), whole.substr(0, 30)}) {
        WriteFile(entry, damaged);
        ASSERT_TRUE(Run().ok);
        EXPECT_EQ(ReadFile(place.OutputFolder() + "sea_thumb.jpg").substr(0, 2), "\xFF\xD8");
        EXPECT_EQ(ReadFile(entry), whole);
    }
    std::string flipped = whole;
    flipped[flipped.size() - 100] ^= 0x20;  // one changed bit inside a picture
    WriteFile(entry, flipped);
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(ReadFile(entry), whole);
}

TEST_F(WebPictureCacheTest, TheCacheKeepsWithinItsLimitDroppingTheLeastRecentlyUsed) {
    ASSERT_TRUE(Run().ok);
    const std::string town = Cache().EntryFile(Key("Town.JPG"));
    const std::uint64_t one = fs::file_size(town);
    request.cacheLimit = one * 3 + one / 2;  // room for three of the four
    request.pictures.pop_back();             // the town leaves the album, a new picture comes
    AddPicture("new.jpg", "", 330, 240);
    ASSERT_TRUE(Run().ok);
    std::uint64_t total = 0;
    for (const auto& file : fs::directory_iterator(place.CacheFolder() + "web-pictures"))
        total += file.file_size();
    EXPECT_LE(total, request.cacheLimit);
    EXPECT_FALSE(FileExists(town));
    for (const char* name : {"Sea.jpg", "hill.jpg", "new.jpg"})
        EXPECT_TRUE(FileExists(Cache().EntryFile(Key(name)))) << name;
}

}  // namespace
}  // namespace wexbo
