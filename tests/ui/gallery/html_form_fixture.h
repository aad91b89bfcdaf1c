// A program folder, a data folder with two small button sets, and the generator window over them.
#pragma once

#include <QImage>
#include <QStringList>
#include <string>

#include "app/language_table.h"
#include "gallery/html_form.h"
#include "program_copy.h"
#include "temp_dir.h"
#include "util/message_box.h"
#include "util/program_texts.h"
#include "util/windows_info.h"

namespace wexbo::test {

inline const char* const kButtonImages[] = {"gallery.gif", "slideshow.gif", "previous.gif", "home.gif",
                                            "next.gif"};

// Writes the five images of a set; each set has its own image size, so previews tell sets apart.
// Qt writes no GIF; the readers go by the content, so PNG data under the GIF names serves.
inline void WriteButtonSet(const std::string& folder, int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    for (const char* name : kButtonImages) {
        WriteFile(folder + name, "");
        image.save(QString::fromStdString(folder + name), "PNG");
    }
}

class HtmlFormTest {
public:
    HtmlFormTest() {
        info.DocumentsFolder = home / "Documents";
        info.AppDataFolder = home / "share";
        info.TempFolder = home / "tmp/";
        WriteFile(home / "tmp/.keep", "");
        dataFolder = home / "share/Velmora/Wexbo10/";
        WriteButtonSet(dataFolder + "buttons/01/", 8);
        WriteButtonSet(dataFolder + "buttons/07/", 16);
        WriteFile(dataFolder + "buttons/01/test.html",
                  "<html><head><title>Sets</title></head><body>1 … 28</body></html>");
        SetProgramTexts(LoadProgramTexts(program.Folder(), program.Folder()));
        SetMessageHandler([this](MessageKind, const QString& text) {
            messages << text;
            return true;
        });
    }
    ~HtmlFormTest() { SetMessageHandler({}); }

    GeneratorOpening Opening() const {
        GeneratorOpening opening;
        opening.programFolder = program.Folder();
        opening.configFolder = program.Folder();
        opening.cacheFolder = program.Folder();
        opening.albumTitle = "Summer";
        opening.programTitle = "Wexbo 10";
        opening.sidePicture = program.Folder() + "recom_GR/wizard.jpg";
        opening.settingsFile = program.Folder() + "Gallery_Gal_0003.ini";
        return opening;
    }

    ProgramCopy program;
    TempDir home;
    TWindowsInfo info;
    std::string dataFolder;
    QStringList messages;
};

}  // namespace wexbo::test
