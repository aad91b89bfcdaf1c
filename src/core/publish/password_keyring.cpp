#include "publish/password_keyring.h"

#include <libsecret/secret.h>

#include <cstdlib>

#include "app/program_identity.h"

namespace wexbo {

namespace {

const SecretSchema* Schema() {
    static const SecretSchema schema = {
        "com.velmora.wexbo.Upload",
        SECRET_SCHEMA_NONE,
        {{"address", SECRET_SCHEMA_ATTRIBUTE_STRING}, {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr};
    return &schema;
}

}  // namespace

bool KeyringAvailable() {
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    return bus && *bus;
}

std::optional<std::string> KeptPassword(const std::string& address) {
    if (!KeyringAvailable()) return std::nullopt;
    GError* error = nullptr;
    gchar* password =
        secret_password_lookup_sync(Schema(), nullptr, &error, "address", address.c_str(), nullptr);
    if (error) g_error_free(error);
    if (!password) return std::nullopt;
    std::string kept(password);
    secret_password_free(password);
    return kept;
}

bool KeepPassword(const std::string& address, const std::string& password) {
    if (!KeyringAvailable()) return false;
    GError* error = nullptr;
    const std::string label = std::string(kProgramTitle) + ": " + address;
    const gboolean kept =
        secret_password_store_sync(Schema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(),
                                   nullptr, &error, "address", address.c_str(), nullptr);
    if (error) g_error_free(error);
    return kept;
}

}  // namespace wexbo
