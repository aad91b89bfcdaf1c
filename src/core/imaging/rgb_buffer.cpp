#include "imaging/rgb_buffer.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace wexbo {

RgbBuffer::RgbBuffer(int width, int height) {
    if (width < 1 || height < 1) throw std::length_error("picture size below 1 pixel");
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (stride > std::numeric_limits<std::size_t>::max() / static_cast<std::size_t>(height))
        throw std::length_error("picture too large");
    data_ = std::make_unique_for_overwrite<std::uint8_t[]>(stride * static_cast<std::size_t>(height));
    width_ = width;
    height_ = height;
    stride_ = stride;
}

RgbBuffer RgbBuffer::Clone() const {
    if (Empty()) return {};
    RgbBuffer copy(width_, height_);
    std::memcpy(copy.Data(), Data(), stride_ * static_cast<std::size_t>(height_));
    return copy;
}

}  // namespace wexbo
