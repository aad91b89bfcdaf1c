// Digests of file contents, for telling whether bytes changed (not for security).
#pragma once

#include <string>
#include <string_view>

namespace wexbo {

// 128 bits of XXH3 as 32 lower-case hex digits.
std::string ContentDigest(std::string_view bytes);

// The digest of a file's bytes; "" when it cannot be read.
std::string FileContentDigest(const std::string& path);

}  // namespace wexbo
