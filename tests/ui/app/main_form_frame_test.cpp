#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>

#include "app/language_table.h"
#include "program_copy.h"
#include "temp_dir.h"
#include "util/ini_file.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "workspace/main_form.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ProgramCopy;
using test::TempDir;
using test::WriteFile;

TEST(MainFormFrameTest, CreationPreparesFoldersAndCloseSavesAndCleansUp) {
    ProgramCopy program;
    TempDir home;
    ::setenv("HOME", home.Path().c_str(), 1);
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) ::unsetenv(name);
    WriteFile(program.Folder() + "Generator.ini",
              "[SETTINGS]\r\nLanguage=GERMAN\r\nDrive=e\r\nBKGColor=42\r\n");
    WriteFile(program.Folder() + "UNDO3.jpg", "leftover");
    SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()));
    {
        TMainForm form(TWindowsInfo::FromEnvironment(), program.Folders());
        EXPECT_EQ(form.windowTitle(), "Wexbo 10 ");
        EXPECT_EQ(form.Folders().albumRoot, home / "Bildano/");
        EXPECT_TRUE(fs::exists(home / "Bildano/Gal_0002/Bildano.ini"));
        EXPECT_TRUE(fs::is_directory(home / ".local/share/Velmora/Wexbo10"));
        EXPECT_TRUE(form.PreparationError().isEmpty());
        form.close();
    }
    const IniFile saved(program.Folder() + "Generator.ini");
    EXPECT_EQ(saved.ReadString("SETTINGS", "Drive", ""), "E");
    EXPECT_EQ(saved.ReadString("SETTINGS", "BKGColor", ""), "42");
    EXPECT_EQ(saved.ReadString("SETTINGS", "Language", ""), "GERMAN");
    EXPECT_FALSE(fs::exists(program.Folder() + "UNDO3.jpg"));
}

TEST(MainFormFrameTest, AnAlbumRootThatCannotBeMadeStillOpensTheWindow) {
    ProgramCopy program;
    TempDir home;
    ::setenv("HOME", home.Path().c_str(), 1);
    WriteFile(home / "Slideshow", "in the way");
    SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()));  // shipped settings: English
    QStringList messages;
    SetMessageHandler([&](MessageKind, const QString& text) {
        messages << text;
        return true;
    });
    TMainForm form(TWindowsInfo::FromEnvironment(), program.Folders());
    form.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Slideshow"));
    SetMessageHandler({});
}

}  // namespace
}  // namespace wexbo
