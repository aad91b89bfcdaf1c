#include "app/program_identity.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

std::string ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return AddTrailingBackslash(std::filesystem::current_path(ec).string());
    return AddTrailingBackslash(PathOnly(exe.string()));
}

std::string ReadVersion(const std::string& programFolder) {
    std::string bytes;
    if (!ReadFileBytes(programFolder + "ver.ini", bytes)) return {};
    const std::string text = DecodeText(bytes);
    std::string_view rest = text;
    return Trim(NextLine(rest));
}

std::string DataFolderFor(const std::string& appDataFolder) {
    return AddTrailingBackslash(appDataFolder) + kDataFolderName;
}

}  // namespace wexbo
