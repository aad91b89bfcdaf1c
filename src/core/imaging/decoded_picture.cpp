#include "imaging/decoded_picture.h"

#include <cstring>

namespace wexbo {

bool IsRgbIccProfile(const void* profile, std::size_t length) {
    constexpr std::size_t kHeaderSize = 128;  // the colour space signature is at bytes 16 to 19
    return profile && length >= kHeaderSize &&
           std::memcmp(static_cast<const char*>(profile) + 16, "RGB ", 4) == 0;
}

}  // namespace wexbo
