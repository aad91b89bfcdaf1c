// Where an album's gallery goes up to, remembered in its gallery settings file beside the other
// settings (never the password).
#pragma once

#include <string>

namespace wexbo {

struct UploadSettings {
    std::string destination;  // "UploadDestination": the address without the user
    std::string user;         // "UploadUser"
    std::string keyFile;      // "UploadKeyFile": "" for the keys of ~/.ssh
    bool operator==(const UploadSettings&) const = default;
};

UploadSettings ReadUploadSettings(const std::string& settingsFile);
// Writes the three keys, keeping every other key of the file. False, with `error` naming the file,
// when it cannot be written.
bool SaveUploadSettings(const std::string& settingsFile, const UploadSettings& settings,
                        std::string* error = nullptr);

// The address of a destination field and a user field: the user goes in after the scheme unless
// the field names one already; a folder is taken as it is.
std::string AddressWithUser(const std::string& destination, const std::string& user);

}  // namespace wexbo
