// What an earlier upload put on a destination: per file its size and content digest. It lives in
// the data folder, one file per destination, and is the only ground on which an upload deletes or
// skips a file of the server.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "publish/destination.h"

namespace wexbo {

struct UploadedFile {
    std::uint64_t size = 0;
    std::string digest;  // ContentDigest of the bytes sent
    bool operator==(const UploadedFile&) const = default;
};
using UploadRecord = std::map<std::string, UploadedFile>;

// The record file of a destination in `recordFolder` (the data folder's "uploads/").
std::string UploadRecordFile(const std::string& recordFolder, const Destination& destination);

// The record; empty when there is none yet. Lines that are not a record's are left out.
UploadRecord ReadUploadRecord(const std::string& file);

// Writes the record in one step (a new file renamed over the old one). Throws RemoteError naming
// the file when it cannot be written.
void WriteUploadRecord(const std::string& file, const Destination& destination, const UploadRecord& record);

}  // namespace wexbo
