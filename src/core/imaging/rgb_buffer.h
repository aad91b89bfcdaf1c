// An 8-bit RGB picture in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace wexbo {

// Rows run top to bottom, three bytes per pixel in the order red, green, blue. Rows lie Stride()
// bytes apart; the stride is a multiple of 4 so that a QImage (Format_RGB888) can use the
// buffer as it is. A new buffer's pixels are not initialised.
class RgbBuffer {
public:
    RgbBuffer() = default;
    // Throws std::bad_alloc when the memory is not there, std::length_error for sizes that do
    // not fit (either side below 1 or the byte count beyond what a size_t holds).
    RgbBuffer(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::size_t Stride() const { return stride_; }
    bool Empty() const { return !data_; }

    std::uint8_t* Data() { return data_.get(); }
    const std::uint8_t* Data() const { return data_.get(); }
    std::uint8_t* Row(int y) { return data_.get() + stride_ * static_cast<std::size_t>(y); }
    const std::uint8_t* Row(int y) const { return data_.get() + stride_ * static_cast<std::size_t>(y); }

    // A deep copy.
    RgbBuffer Clone() const;

private:
    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
    std::unique_ptr<std::uint8_t[]> data_;
};

}  // namespace wexbo
