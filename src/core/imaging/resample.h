// Resizing with a bicubic filter that averages properly when shrinking.
#pragma once

#include "imaging/rgb_buffer.h"

namespace wexbo {

// The picture at exactly width × height. A Catmull-Rom cubic (a = -0.5) interpolates when
// enlarging; when shrinking by a factor s the filter is widened by s, so every source pixel
// contributes (no point sampling, no aliasing on large reductions). Each axis is done in its own
// pass; an axis whose size does not change is copied.
RgbBuffer ResizeBicubic(const RgbBuffer& picture, int width, int height);

}  // namespace wexbo
