// A local or mounted folder as an upload's destination: plain file operations, renames that replace.
#pragma once

#include <memory>

#include "publish/remote_folder.h"

namespace wexbo {

std::unique_ptr<RemoteFolder> OpenLocalFolder(const Destination& destination);

}  // namespace wexbo
