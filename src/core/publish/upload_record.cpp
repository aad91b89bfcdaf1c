#include "publish/upload_record.h"

#include <string_view>

#include "publish/remote_folder.h"
#include "util/files.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

std::string UploadRecordFile(const std::string& recordFolder, const Destination& destination) {
    return AddTrailingBackslash(recordFolder) + StableDigest(destination.Address()) + ".txt";
}

// One line per file: name, size and digest, separated by tabs; the first line names the
// destination, for whoever looks at the file.
UploadRecord ReadUploadRecord(const std::string& file) {
    UploadRecord record;
    std::string bytes;
    if (!ReadFileBytes(file, bytes)) return record;
    std::string_view rest = bytes;
    NextLine(rest);
    while (!rest.empty()) {
        const std::string_view line = NextLine(rest);
        const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string_view::npos || tab2 == std::string_view::npos) continue;
        const std::string name(line.substr(0, tab1));
        long long size = 0;
        if (name.empty() || name.find('/') != std::string::npos || name == "." || name == ".." ||
            !ParseInt(line.substr(tab1 + 1, tab2 - tab1 - 1), size) || size < 0)
            continue;
        record[name] = {static_cast<std::uint64_t>(size), std::string(line.substr(tab2 + 1))};
    }
    return record;
}

void WriteUploadRecord(const std::string& file, const Destination& destination, const UploadRecord& record) {
    std::string text = destination.Address() + "\r\n";
    for (const auto& [name, uploaded] : record)
        text.append(name)
            .append(1, '\t')
            .append(std::to_string(uploaded.size))
            .append(1, '\t')
            .append(uploaded.digest)
            .append("\r\n");
    std::string error;
    EnsureFolder(PathOnly(file));
    if (!WriteFileAtomically(file, text, &error))
        throw RemoteError("Cannot write the record of the upload " + file + ": " + error);
}

}  // namespace wexbo
