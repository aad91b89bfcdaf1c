// libjpeg's headers, in the order they need: jpeglib.h uses FILE and size_t without declaring them.
#pragma once

#include <cstddef>
#include <cstdio>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
