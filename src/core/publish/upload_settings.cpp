#include "publish/upload_settings.h"

#include "gallery/gallery_settings.h"
#include "util/ini_file.h"
#include "util/strings.h"

namespace wexbo {

namespace {

constexpr const char* kDestination = "UploadDestination";
constexpr const char* kUser = "UploadUser";
constexpr const char* kKeyFile = "UploadKeyFile";

}  // namespace

UploadSettings ReadUploadSettings(const std::string& settingsFile) {
    const IniFile ini(settingsFile);
    return {Trim(ini.ReadString(gallery_keys::kSection, kDestination, "")),
            Trim(ini.ReadString(gallery_keys::kSection, kUser, "")),
            Trim(ini.ReadString(gallery_keys::kSection, kKeyFile, ""))};
}

bool SaveUploadSettings(const std::string& settingsFile, const UploadSettings& settings, std::string* error) {
    IniFile ini(settingsFile);
    ini.WriteString(gallery_keys::kSection, kDestination, settings.destination);
    ini.WriteString(gallery_keys::kSection, kUser, settings.user);
    ini.WriteString(gallery_keys::kSection, kKeyFile, settings.keyFile);
    return ini.Save(error);
}

std::string AddressWithUser(const std::string& destination, const std::string& user) {
    const std::string address = Trim(destination);
    const std::size_t scheme = address.find("://");
    const std::string name = Trim(user);
    if (scheme == std::string::npos || address.rfind("file://", 0) == 0 || name.empty()) return address;
    const std::size_t hostStart = scheme + 3;
    const std::size_t slash = address.find('/', hostStart);
    if (address.substr(hostStart, slash - hostStart).find('@') != std::string::npos) return address;
    return address.substr(0, hostStart) + name + "@" + address.substr(hostStart);
}

}  // namespace wexbo
