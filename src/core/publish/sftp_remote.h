// An SFTP destination, through libssh: the server's key checked against known_hosts, password or
// key authentication, files written, renamed and removed in the destination folder.
#pragma once

#include <memory>

#include "publish/remote_folder.h"

namespace wexbo {

// Connects and authenticates; throws RemoteError (HostKeyChanged, HostKeyUnknown among them).
std::unique_ptr<RemoteFolder> OpenSftpFolder(const Destination& destination, const Credentials& credentials);

}  // namespace wexbo
