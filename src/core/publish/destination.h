// Where a gallery is published: an address the user types, parsed once into its parts.
#pragma once

#include <optional>
#include <string>

namespace wexbo {

enum class DestinationKind {
    Folder,  // a local or mounted folder: a plain path or file:///path
    Sftp,    // sftp://user@host[:port]/absolute/path/ or sftp://user@host[:port]/~/path/
    Ftps,    // ftps://user@host[:port]/path/: FTP with explicit TLS (AUTH TLS), the whole session encrypted
    Ftp,     // ftp://user@host[:port]/path/: clear text, password readable on the way
};

struct Destination {
    DestinationKind kind = DestinationKind::Folder;
    std::string user;
    std::string host;
    int port = 0;  // 0: the protocol's own (22, 21)
    // The folder, ending in "/". Folder: an absolute local path. Sftp: absolute, or relative to the
    // login folder when relativeToHome is set (the address said "/~/"). Ftp and Ftps: as the server
    // sees it from the login folder (absolute when it starts with "/" after the host's one).
    std::string path;
    bool relativeToHome = false;

    // The address again, the one way the program writes it (no password ever): the key of the
    // upload record and what messages show.
    std::string Address() const;
    // The port to connect to: `port`, or the protocol's own.
    int PortOrDefault() const;
};

// Parses an address; none, with `error` saying what is wrong with it, when it is not one of the
// forms above (no user or host for a server, a port outside 1 … 65535, a relative local path, a
// password in the address).
std::optional<Destination> ParseDestination(const std::string& address, std::string& error);

}  // namespace wexbo
