#include "gallery/make.h"

#include <gtest/gtest.h>

#include "temp_dir.h"
#include "util/files.h"

namespace wexbo {
namespace {

class TMakeTest : public testing::Test {
protected:
    void WriteTemplates(const std::string& head, const std::string& tail) {
        test::WriteFile(dir_ / "gallery.ht1", head);
        test::WriteFile(dir_ / "gallery.ht2", tail);
    }
    std::string Base() const { return dir_ / "gallery"; }
    std::string Page() const { return dir_ / "out/gallery.html"; }

    test::TempDir dir_;
};

TEST_F(TMakeTest, APageWithoutBodyLinesIsTheHeadFollowedByTheTail) {
    WriteTemplates("<html>\r\n<body>\r\n", "</body>\r\n</html>\r\n");
    EnsureFolder(dir_ / "out");
    TMake make(Base(), Page());
    EXPECT_TRUE(make.WritePage());
    EXPECT_EQ(test::ReadFile(Page()), "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
}

TEST_F(TMakeTest, WritesEveryLineWithCrLfWhateverTheTemplatesUsed) {
    // LF only, a lone CR, an empty line and a last line without an end.
    WriteTemplates("a\nb\n\nc", "x\ry\r\nz\n");
    EnsureFolder(dir_ / "out");
    TMake make(Base(), Page());
    make.BodyLines().push_back("body 1");
    make.BodyLines().push_back("");
    make.AddBodyLine("body 2");
    make.WritePage();
    EXPECT_EQ(test::ReadFile(Page()), "a\r\nb\r\n\r\nc\r\nbody 1\r\n\r\nbody 2\r\nx\r\ny\r\nz\r\n");
}

TEST_F(TMakeTest, ReadsTheTemplatesOnlyAtCreation) {
    WriteTemplates("head 1\r\n", "tail 1\r\n");
    EnsureFolder(dir_ / "out");
    TMake first(Base(), Page());
    WriteTemplates("head 2\r\n", "tail 2\r\n");
    first.WritePage();
    EXPECT_EQ(test::ReadFile(Page()), "head 1\r\ntail 1\r\n");
}

TEST_F(TMakeTest, WritesUtf8AndReadsOldWindows1252TemplatesWithoutLoss) {
    WriteTemplates(
        "N\xE4"
        "chstes \x80\r\n",
        "Gr\xC3\xBC\xC3\x9F"
        "e\r\n");
    EnsureFolder(dir_ / "out");
    TMake make(Base(), Page());
    make.AddBodyLine("Müller");
    make.WritePage();
    EXPECT_EQ(test::ReadFile(Page()), "Nächstes €\r\nMüller\r\nGrüße\r\n");
}

TEST_F(TMakeTest, AMissingTemplateFailsCreationNamingTheFile) {
    test::WriteFile(dir_ / "gallery.ht1", "head\r\n");
    try {
        TMake make(Base(), Page());
        FAIL() << "creation succeeded without a tail template";
    } catch (const PageFileError& error) {
        EXPECT_NE(std::string(error.what()).find(dir_ / "gallery.ht2"), std::string::npos) << error.what();
    }
}

TEST_F(TMakeTest, APageThatCannotBeWrittenFails) {
    WriteTemplates("head\r\n", "tail\r\n");
    test::WriteFile(dir_ / "out", "a file where the page's folder should be");
    TMake make(Base(), Page());
    EXPECT_THROW(make.WritePage(), PageFileError);

    EnsureFolder(dir_ / "folder.html/");
    TMake onFolder(Base(), dir_ / "folder.html");
    EXPECT_THROW(onFolder.WritePage(), PageFileError);
    EXPECT_TRUE(FolderExists(dir_ / "folder.html"));
}

}  // namespace
}  // namespace wexbo
