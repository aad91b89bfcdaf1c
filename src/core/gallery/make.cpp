#include "gallery/make.h"

#include <string_view>
#include <utility>

#include "util/files.h"
#include "util/text_encoding.h"

namespace wexbo {

std::vector<std::string> ReadTextLines(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes) || FolderExists(path))
        throw PageFileError("Cannot read the file \"" + path + "\"");
    const std::string text = DecodeText(bytes);
    std::vector<std::string> lines;
    for (std::string_view rest = text; !rest.empty();) lines.emplace_back(NextLine(rest));
    return lines;
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    content.reserve(size);
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    std::string error;
    if (!WriteFileInPlace(path, content, &error))
        throw PageFileError("Cannot write the file \"" + path + "\": " + error);
}

TMake::TMake(std::string templateBase, std::string pageFile)
    : templateBase_(std::move(templateBase)),
      pageFile_(std::move(pageFile)),
      headLines_(ReadTextLines(templateBase_ + ".ht1")),
      tailLines_(ReadTextLines(templateBase_ + ".ht2")) {}

TMake::TMake(std::vector<std::string> headLines, std::vector<std::string> tailLines, std::string pageFile)
    : pageFile_(std::move(pageFile)), headLines_(std::move(headLines)), tailLines_(std::move(tailLines)) {}

bool TMake::WritePage() const {
    std::vector<std::string> page;
    page.reserve(headLines_.size() + bodyLines_.size() + tailLines_.size());
    page.insert(page.end(), headLines_.begin(), headLines_.end());
    page.insert(page.end(), bodyLines_.begin(), bodyLines_.end());
    page.insert(page.end(), tailLines_.begin(), tailLines_.end());
    WriteTextLines(pageFile_, page);
    return true;
}

}  // namespace wexbo
