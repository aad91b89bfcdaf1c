// wexbo publish: uploads a gallery folder to the user's web space, only what changed.
#pragma once

#include <atomic>
#include <string>

namespace wexbo {

struct PublishArguments {
    std::string gallery;      // a folder `wexbo generate` made
    std::string destination;  // an address: sftp://, ftps://, ftp://, file:// or a folder
    std::string identity;     // a private key file for SFTP; "" : the keys of ~/.ssh
    std::string caFile;       // certificates an FTPS server's may be signed by, besides the system's
    bool passwordStdin = false;
    bool acceptNewHostKey = false;
    bool allowCleartext = false;
    bool dryRun = false;
};

// Returns the exit status: 0 when the destination holds the gallery, 1 on any failure (one line
// on standard error naming the file and the server's answer), 130 when stopped by `cancel`.
int RunPublish(const PublishArguments& arguments, const std::atomic<bool>* cancel);

}  // namespace wexbo
