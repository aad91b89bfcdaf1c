#include "program_copy.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace wexbo::test {

ProgramCopy::ProgramCopy() {
    for (const fs::directory_entry& entry : fs::directory_iterator(WEXBO_PROGRAM_DIR)) {
        const std::string name = entry.path().filename().string();
        // The data only: executables and their caches stay behind.
        if (entry.is_regular_file() &&
            (entry.path().extension() != ".ini" && entry.path().extension() != ".txt"))
            continue;
        // Files the program writes while it runs are left behind; settings start as shipped.
        if (name == "thumbs" || name == "gallery" || name == "web-pictures" || name == "LanguageIsSet.ini" ||
            name == "Generator.ini" || name.rfind("Gallery_", 0) == 0)
            continue;
        fs::copy(entry.path(), fs::path(dir_.Path()) / name, fs::copy_options::recursive);
    }
    fs::copy_file(fs::path(WEXBO_SOURCE_DATA_DIR) / "Generator.ini", fs::path(dir_.Path()) / "Generator.ini");
}

}  // namespace wexbo::test
