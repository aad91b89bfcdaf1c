// Test pictures made in the test: RGB patterns and JPEG files of every kind the loader reads.
#pragma once

#include <string>

#include "imaging/pixel_transforms.h"
#include "imaging/rgb_buffer.h"

namespace wexbo::test {

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

enum class JpegKind { Baseline, Progressive, Grey, AdobeCmyk, AdobeYcck };

// A picture of one colour.
RgbBuffer Solid(int width, int height, Rgb color);
// A picture in four quadrants of the given colours.
RgbBuffer Quadrants(int width, int height, Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight);
// Something like a photograph: smooth gradients, a few shapes and fine detail.
RgbBuffer PhotoLike(int width, int height);

Rgb At(const RgbBuffer& picture, int x, int y);
// Every channel within `tolerance`.
bool Near(Rgb a, Rgb b, int tolerance = 24);
// Mean absolute difference per channel of two pictures of the same size.
double MeanDifference(const RgbBuffer& a, const RgbBuffer& b);

// The JPEG bytes of a picture, written by libjpeg directly (CMYK files the Adobe way, inks inverted).
std::string MakeJpeg(const RgbBuffer& picture, JpegKind kind = JpegKind::Baseline, int quality = 95);
// The JPEG with an EXIF segment holding only the orientation tag, right after the start marker.
std::string WithOrientation(const std::string& jpeg, int orientation, bool bigEndian = false);

// A phone's EXIF block in APP1 form ("Exif\0\0" first): make "Phonemaker", model "Pocket 12",
// capture time "2026:07:14 18:30:05", the orientation given, and a GPS directory.
std::string PhoneExif(int orientation);

}  // namespace wexbo::test

namespace wexbo {
inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
}  // namespace wexbo
