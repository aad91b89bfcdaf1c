#include "util/text_encoding.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utf8.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

namespace wexbo {

namespace {

// Code points of 0x80..0x9F in Windows-1252; 0 where the code page defines nothing.
constexpr char32_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

bool IsValidUtf8(std::string_view bytes) { return utf8::is_valid(bytes.begin(), bytes.end()); }

std::string Cp1252ToUtf8(unsigned char byte) {
    char32_t code = byte;
    if (byte >= 0x80 && byte <= 0x9F && kCp1252High[byte - 0x80] != 0) code = kCp1252High[byte - 0x80];
    std::string out;
    utf8::append(code, std::back_inserter(out));
    return out;
}

std::string DecodeText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char byte : bytes) {
        if (byte < 0x80)
            out += static_cast<char>(byte);
        else
            out += Cp1252ToUtf8(byte);
    }
    return out;
}

std::string_view NextLine(std::string_view& text) {
    std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        std::string_view line = text;
        text = {};
        return line;
    }
    std::string_view line = text.substr(0, end);
    std::size_t skip = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
    text.remove_prefix(end + skip);
    return line;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // Room for the whole file and one byte more, so the end shows without a second buffer; a file
    // that grows meanwhile is read on to its end.
    struct stat status {};
    const std::size_t expected =
        ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : 0;
    bytes.resize(std::max<std::size_t>(expected + 1, 4096));
    std::size_t size = 0;
    bool ok = true;
    for (;;) {
        if (size == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    bytes.resize(size);
    ::close(fd);
    return ok;
}

std::u32string DecodeCharacters(std::string_view bytes) {
    std::u32string characters;
    characters.reserve(bytes.size());
    auto it = bytes.begin();
    while (it != bytes.end()) {
        const auto lead = static_cast<unsigned char>(*it);
        std::ptrdiff_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length > 0 && length <= bytes.end() - it && utf8::is_valid(it, it + length)) {
            characters += utf8::unchecked::next(it);
            continue;
        }
        const std::string decoded = Cp1252ToUtf8(lead);
        characters += utf8::unchecked::peek_next(decoded.begin());
        ++it;
    }
    return characters;
}

void AppendUtf8(std::string& out, char32_t character) { utf8::append(character, std::back_inserter(out)); }

}  // namespace wexbo
