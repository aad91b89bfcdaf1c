#include "util/windows_info.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "util/strings.h"

namespace wexbo {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) home = entry->pw_dir;
    }
    return WithoutTrailingSlash(home.empty() ? "/tmp" : home);
}

TWindowsInfo TWindowsInfo::FromEnvironment() {
    TWindowsInfo info;
    const std::string home = HomeFolder();
    std::string documents = Env("XDG_DOCUMENTS_DIR");
    info.DocumentsFolder = WithoutTrailingSlash(documents.empty() ? home + "/Documents" : documents);
    std::string data = Env("XDG_DATA_HOME");
    info.AppDataFolder = WithoutTrailingSlash(data.empty() ? home + "/.local/share" : data);
    std::string config = Env("XDG_CONFIG_HOME");
    info.ConfigFolder = WithoutTrailingSlash(config.empty() ? home + "/.config" : config);
    std::string cache = Env("XDG_CACHE_HOME");
    info.CacheFolder = WithoutTrailingSlash(cache.empty() ? home + "/.cache" : cache);
    std::string temp = Env("TMPDIR");
    info.TempFolder = AddTrailingBackslash(WithoutTrailingSlash(temp.empty() ? "/tmp" : temp));
    return info;
}

}  // namespace wexbo
