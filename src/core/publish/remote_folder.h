// The destination folder of an upload as the uploader sees it, whatever the protocol: files by
// name, looked at, written, renamed over each other and removed. One implementation per kind of
// destination (a local folder, SFTP, FTP with or without TLS), each on the real protocol.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "publish/destination.h"

namespace wexbo {

// A failed operation. The message names the file (or the server), the operation and what the
// server answered, as a user can act on it: "Cannot upload gallery.html to sftp://…: Permission
// denied".
class RemoteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The server's host key is not the one known_hosts holds for it: always refused.
class HostKeyChanged : public RemoteError {
public:
    using RemoteError::RemoteError;
};
// The server's host key is not known and nobody accepted it.
class HostKeyUnknown : public RemoteError {
public:
    using RemoteError::RemoteError;
};

// What an SFTP connection asks when the server's key is not in known_hosts: the host and the
// key's SHA256 fingerprint ("SHA256:…", as ssh shows it). True accepts the key, which is then
// added to known_hosts.
struct HostKeyQuestion {
    std::string host;  // "host" or "[host]:port", as known_hosts names it
    std::string fingerprint;
};

struct Credentials {
    std::string password;      // empty: none (SFTP then tries the keys)
    std::string identityFile;  // a private key file; empty: the keys of ~/.ssh
    // known_hosts to check the server's key against; empty: ~/.ssh/known_hosts of $HOME.
    std::string knownHostsFile;
    // Asked for an unknown host key; none, or false: refused with HostKeyUnknown.
    std::function<bool(const HostKeyQuestion&)> acceptUnknownHostKey;
    // Clear-text FTP is refused unless the user accepted that the password travels readable.
    bool cleartextAccepted = false;
    // Certificates an FTPS server's may be signed by, besides the system's (a PEM file; for a
    // server with a certificate of its own making). Empty: the system's only.
    std::string caFile;
};

class RemoteFolder {
public:
    virtual ~RemoteFolder() = default;

    // Makes the destination folder (and the folders above it) where it is missing.
    virtual void Prepare() = 0;
    // The size of a file of the folder; none when there is no such file.
    virtual std::optional<std::uint64_t> SizeOf(const std::string& name) = 0;
    // Writes `bytes` as the file `name`, creating it or replacing its content. `sent` is told the
    // bytes sent so far (for progress), and may be called often.
    virtual void Put(const std::string& name, const std::string& bytes,
                     const std::function<void(std::uint64_t sent)>& sent = {}) = 0;
    // Renames `from` to `to`. Where `to` exists it is replaced: at once where the protocol can
    // (POSIX rename, the posix-rename@openssh.com extension, FTP's RNTO), else by removing it first.
    virtual void Replace(const std::string& from, const std::string& to) = 0;
    // Removes a file; removing one that is not there is no error.
    virtual void Remove(const std::string& name) = 0;
};

// Connects to the destination (throws RemoteError and its kinds: a wrong password, an unknown or
// changed host key, a server that cannot be reached, clear-text FTP not accepted).
std::unique_ptr<RemoteFolder> OpenRemoteFolder(const Destination& destination,
                                               const Credentials& credentials);

}  // namespace wexbo
