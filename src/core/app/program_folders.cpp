#include "app/program_folders.h"

#include <filesystem>
#include <system_error>

#include "app/program_identity.h"
#include "util/files.h"
#include "util/strings.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

constexpr const char* kInstalledData = "../share/wexbo/";
constexpr const char* kInstalledModules = "../lib/wexbo/";

// `relative` below `folder`, without ".." steps, with a trailing "/".
std::string Below(const std::string& folder, const char* relative) {
    return AddTrailingBackslash(fs::path(folder + relative).lexically_normal().string());
}

}  // namespace

ProgramFolders LocateProgramFolders(const std::string& executableFolder, const TWindowsInfo& user) {
    ProgramFolders folders;
    const std::string executable = AddTrailingBackslash(executableFolder);
    folders.dataFolder = DataFolderFor(user.AppDataFolder);
    if (FileExists(Below(executable, kInstalledData) + "Language.ini")) {
        folders.programFolder = Below(executable, kInstalledData);
        folders.moduleFolder = Below(executable, kInstalledModules);
        folders.configFolder = AddTrailingBackslash(user.ConfigFolder) + kDataFolderName;
        folders.cacheFolder = AddTrailingBackslash(user.CacheFolder) + kDataFolderName;
    } else {
        folders.programFolder = folders.moduleFolder = folders.configFolder = folders.cacheFolder =
            executable;
    }
    return folders;
}

ProgramFolders RunningProgramFolders() {
    return LocateProgramFolders(ExecutableFolder(), TWindowsInfo::FromEnvironment());
}

std::string PrepareConfigFolder(const ProgramFolders& folders) {
    std::error_code ec;
    fs::create_directories(folders.configFolder, ec);
    if (!fs::is_directory(folders.configFolder, ec))
        return "Cannot create the settings folder " + folders.configFolder + ": " +
               (ec ? ec.message() : std::string("a file of that name is in the way"));
    const std::string settings = folders.configFolder + "Generator.ini";
    const std::string shipped = folders.programFolder + "Generator.ini";
    if (settings == shipped || fs::exists(fs::symlink_status(settings, ec)) || !FileExists(shipped))
        return {};
    fs::copy_file(shipped, settings, ec);
    if (ec) return "Cannot copy " + shipped + " to " + settings + ": " + ec.message();
    // A copy of a read-only shipped file must still take the user's changes.
    fs::permissions(settings, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    return {};
}

}  // namespace wexbo
