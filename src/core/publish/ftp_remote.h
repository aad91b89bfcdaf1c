// An FTP destination, through libcurl: with explicit TLS for Ftps (AUTH TLS, certificate checked
// as libcurl checks it), clear text for Ftp only once the user accepted it.
#pragma once

#include <memory>

#include "publish/remote_folder.h"

namespace wexbo {

// Connects and logs in; throws RemoteError.
std::unique_ptr<RemoteFolder> OpenFtpFolder(const Destination& destination, const Credentials& credentials);

}  // namespace wexbo
