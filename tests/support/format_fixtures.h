// Test pictures in PNG, WebP and TIFF, written by each format's own library in the test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/rgb_buffer.h"

namespace wexbo::test {

// Samples as a file stores them, row after row: `channels` per pixel (1 grey, 2 grey and alpha,
// 3 RGB, 4 RGB and alpha), each of `bits` bits (1 … 16).
struct Samples {
    Samples(int width, int height, int channels, int bits);

    std::uint16_t* At(int x, int y) { return values.data() + Index(x, y); }
    const std::uint16_t* At(int x, int y) const { return values.data() + Index(x, y); }
    unsigned Top() const { return (1u << bits) - 1; }

    int width;
    int height;
    int channels;
    int bits;
    std::vector<std::uint16_t> values;

private:
    std::size_t Index(int x, int y) const {
        return (static_cast<std::size_t>(y) * width + x) * static_cast<std::size_t>(channels);
    }
};

// A picture's colours as 8-bit samples, with a fourth sample of `alpha` when it is 0 … 255.
Samples SamplesOf(const RgbBuffer& picture, int alpha = -1);

struct PngExtras {
    bool palette = false;                    // 8-bit RGB or RGBA samples as a palette, alpha in tRNS
    bool interlaced = false;                 // Adam7
    std::vector<std::uint16_t> colourKey{};  // tRNS naming the one transparent grey or RGB colour
    std::string exif{};                      // an eXIf chunk: the TIFF header onwards
    bool exifAfterPicture = false;           // eXIf after the picture data rather than before
    std::string icc{};                       // an iCCP chunk
    bool srgb = false;                       // an sRGB chunk
    double gamma = 0;                        // a gAMA chunk when above 0
};
std::string MakePng(const Samples& samples, const PngExtras& extras = {});

struct WebpExtras {
    bool lossless = true;
    int quality = 90;    // of lossy files
    std::string exif{};  // an EXIF chunk, stored as given
    std::string icc{};   // an ICCP chunk
};
// From 8-bit RGB or RGBA samples.
std::string MakeWebp(const Samples& samples, const WebpExtras& extras = {});

// A frame of an animation at its place on the canvas (even offsets).
struct WebpFrame {
    Samples samples;
    int x = 0;
    int y = 0;
};
std::string MakeAnimatedWebp(int canvasWidth, int canvasHeight, const std::vector<WebpFrame>& frames);

enum class TiffLayout { Strips, SeparatePlanes, Tiles };

struct TiffExtras {
    bool minIsWhite = false;       // grey samples stored inverted
    bool palette = false;          // 8-bit RGB samples as indices into a colour map
    bool cmyk = false;             // 8-bit RGB samples as inks (no black)
    bool floats = false;           // 32-bit floating-point samples from 0 to 1
    bool associatedAlpha = false;  // colours stored premultiplied by the alpha
    TiffLayout layout = TiffLayout::Strips;
    int compression = 1;  // COMPRESSION_NONE
    int orientation = 0;  // the Orientation tag, left out when 0
    std::string icc{};
    std::string make{}, model{}, dateTime{};
    std::string dateTimeOriginal{};  // in an EXIF directory
    bool gps = false;                // a GPS directory with a latitude reference
};
std::string MakeTiff(const Samples& samples, const TiffExtras& extras = {});

// The TIFF data of an EXIF block (what follows "Exif\0\0"), little-endian, holding only the
// orientation tag.
std::string ExifWithOrientation(int orientation);

// ICC profiles written by lcms2.
std::string SrgbProfile();
std::string GreyProfile();

}  // namespace wexbo::test
