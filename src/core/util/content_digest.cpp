#include "util/content_digest.h"

#include <xxhash.h>

#include "util/text_encoding.h"

namespace wexbo {

std::string ContentDigest(std::string_view bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    static constexpr char kHex[] = "0123456789abcdef";
    std::string digest(32, '0');
    std::uint64_t parts[2] = {hash.high64, hash.low64};
    for (int part = 0; part < 2; ++part)
        for (int i = 15; i >= 0; --i, parts[part] >>= 4)
            digest[static_cast<std::size_t>(part * 16 + i)] = kHex[parts[part] & 0xF];
    return digest;
}

std::string FileContentDigest(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return {};
    return ContentDigest(bytes);
}

}  // namespace wexbo
