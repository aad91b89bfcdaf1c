// An SFTP destination, through libssh: the server's key checked against known_hosts, password or
// key authentication, files written, renamed and removed in the destination folder.
#pragma once

#include <memory>

#include "publish/remote_folder.h"

namespace wexbo {

// Connects and authenticates; throws RemoteError (HostKeyChanged, HostKeyUnknown among them).
// The server's key is checked against credentials.knownHostsFile only (never ~/.ssh/config or the
// system's files); an unknown one is added there once acceptUnknownHostKey says yes. The login
// uses identityFile (a key without passphrase), else the password (or keyboard-interactive with
// it), else ssh-agent and the keys of ~/.ssh. Replace uses posix-rename@openssh.com where the
// server offers it, else removes the target before renaming.
std::unique_ptr<RemoteFolder> OpenSftpFolder(const Destination& destination, const Credentials& credentials);

}  // namespace wexbo
