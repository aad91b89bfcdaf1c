#include "publish/sftp_remote.h"

namespace wexbo {

// Being written.
std::unique_ptr<RemoteFolder> OpenSftpFolder(const Destination& destination, const Credentials&) {
    throw RemoteError("Cannot connect to " + destination.Address() + ": not built yet");
}

}  // namespace wexbo
