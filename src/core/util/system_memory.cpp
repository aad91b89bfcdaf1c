#include "util/system_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <vector>

#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

namespace {

// cgroup v1 writes the largest page-aligned number it has for "no limit"; anything from a
// petabyte up means no limit in practice.
constexpr std::uint64_t kNoLimitFrom = 1ull << 50;

// "/a/b" as "a/b/"; "" for the root itself.
std::string Inside(const std::string& path) {
    const std::size_t first = path.find_first_not_of('/');
    return first == std::string::npos ? std::string() : AddTrailingBackslash(path.substr(first));
}

std::optional<std::uint64_t> LimitIn(const std::string& file) {
    std::string text;
    if (!ReadFileBytes(file, text)) return std::nullopt;
    return ParseMemoryLimit(text);
}

}  // namespace

std::uint64_t PhysicalMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0
               ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize)
               : 0;
}

std::optional<std::uint64_t> ParseMemoryLimit(std::string_view text) {
    const std::string value = Trim(std::string(text));
    long long bytes = 0;
    if (value == "max" || !ParseInt(value, bytes) || bytes <= 0) return std::nullopt;
    if (static_cast<std::uint64_t>(bytes) >= kNoLimitFrom) return std::nullopt;
    return static_cast<std::uint64_t>(bytes);
}

std::optional<std::uint64_t> ControlGroupMemoryLimit(const std::string& root, const std::string& membership) {
    // Lines "0::/path" (v2) and "4:memory:/path" (v1).
    std::string v2Path, v1Path;
    std::string text;
    if (ReadFileBytes(membership, text)) {
        std::string_view rest = text;
        while (!rest.empty()) {
            const std::string line(NextLine(rest));
            if (line.rfind("0::", 0) == 0) v2Path = line.substr(3);
            const std::size_t memory = line.find(":memory:");
            if (memory != std::string::npos) v1Path = line.substr(memory + 8);
        }
    }
    const std::string base = AddTrailingBackslash(root);
    std::vector<std::string> files;
    if (!Inside(v2Path).empty()) files.push_back(base + Inside(v2Path) + "memory.max");
    if (!Inside(v1Path).empty()) files.push_back(base + "memory/" + Inside(v1Path) + "memory.limit_in_bytes");
    files.push_back(base + "memory.max");
    files.push_back(base + "memory/memory.limit_in_bytes");
    for (const std::string& file : files)
        if (std::optional<std::uint64_t> limit = LimitIn(file)) return limit;
    return std::nullopt;
}

void KeepPictureBuffersForReuse() {
    ::mallopt(M_MMAP_THRESHOLD, 16 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 32 << 20);
}

}  // namespace wexbo
