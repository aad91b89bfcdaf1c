#include "publish/ftp_remote.h"

namespace wexbo {

// Being written.
std::unique_ptr<RemoteFolder> OpenFtpFolder(const Destination& destination, const Credentials&) {
    throw RemoteError("Cannot connect to " + destination.Address() + ": not built yet");
}

}  // namespace wexbo
