#include "publish/remote_folder.h"

#include "publish/folder_remote.h"
#include "publish/ftp_remote.h"
#include "publish/sftp_remote.h"

namespace wexbo {

std::unique_ptr<RemoteFolder> OpenRemoteFolder(const Destination& destination,
                                               const Credentials& credentials) {
    switch (destination.kind) {
        case DestinationKind::Folder:
            return OpenLocalFolder(destination);
        case DestinationKind::Sftp:
            return OpenSftpFolder(destination, credentials);
        case DestinationKind::Ftps:
        case DestinationKind::Ftp:
            return OpenFtpFolder(destination, credentials);
    }
    throw RemoteError("Cannot publish to " + destination.Address() + ": unknown kind of destination");
}

}  // namespace wexbo
