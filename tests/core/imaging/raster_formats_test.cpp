// The PNG, WebP and TIFF decoders, on files their own libraries write in the test.
#include <gtest/gtest.h>
#include <libexif/exif-data.h>
#include <tiffio.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "format_fixtures.h"
#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"
#include "imaging/png_decoder.h"
#include "imaging/tiff_decoder.h"
#include "imaging/webp_decoder.h"
#include "jpeg_fixtures.h"

namespace wexbo::test {
namespace {

enum class Format { Png, Webp, Tiff };

const char* NameOf(Format format) {
    switch (format) {
        case Format::Png:
            return "Png";
        case Format::Webp:
            return "Webp";
        case Format::Tiff:
            break;
    }
    return "Tiff";
}

void PrintTo(Format format, std::ostream* out) { *out << NameOf(format); }

// Every table's cases show as their names in failure messages.
template <typename Case>
requires requires(const Case& c) { std::string(c.name); }
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

DecodedPicture Decode(Format format, const std::string& file, const DecodeRequest& request = {},
                      const std::string& name = "album/picture") {
    switch (format) {
        case Format::Png:
            return DecodePngMemory(file.data(), file.size(), request, name);
        case Format::Webp:
            return DecodeWebpMemory(file.data(), file.size(), request, name);
        case Format::Tiff:
            break;
    }
    return DecodeTiffMemory(file.data(), file.size(), request, name);
}

bool ReadSize(Format format, const std::string& file, int& width, int& height) {
    switch (format) {
        case Format::Png:
            return ReadPngSize(file.data(), file.size(), width, height);
        case Format::Webp:
            return ReadWebpSize(file.data(), file.size(), width, height);
        case Format::Tiff:
            break;
    }
    return ReadTiffSize(file.data(), file.size(), width, height);
}

constexpr int kWidth = 22;  // not a multiple of the 16-pixel tiles
constexpr int kHeight = 14;
constexpr Rgb kBackground{20, 200, 90};

// Four quadrants, each of one sample tuple (as many values as channels).
Samples QuadrantSamples(int channels, int bits, const std::array<std::vector<std::uint16_t>, 4>& tuples,
                        int width = kWidth, int height = kHeight) {
    Samples samples(width, height, channels, bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto& tuple = tuples[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
            std::copy(tuple.begin(), tuple.end(), samples.At(x, y));
        }
    }
    return samples;
}

Samples Rgb8() { return QuadrantSamples(3, 8, {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {200, 100, 50}}}); }
Samples Rgba8() {
    return QuadrantSamples(4, 8, {{{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 0}, {200, 100, 50, 64}}});
}
// Values that rounding takes up and cutting the low byte takes down (129 is 0.502 of a step).
Samples Rgb16() {
    return QuadrantSamples(
        3, 16, {{{129, 32896, 65535}, {65407, 0, 25828}, {25829, 1000, 40000}, {12345, 54321, 128}}});
}
Samples Rgba16() {
    return QuadrantSamples(4, 16,
                           {{{129, 32896, 65535, 65535},
                             {65407, 0, 25828, 32896},
                             {25829, 1000, 40000, 0},
                             {12345, 54321, 129, 16448}}});
}
Samples Grey(int bits) {
    const auto top = static_cast<std::uint16_t>((1u << bits) - 1);
    return QuadrantSamples(
        1, bits,
        {{{0}, {top}, {static_cast<std::uint16_t>(top / 3 + 1)}, {static_cast<std::uint16_t>(top / 2)}}});
}
Samples GreyAlpha(int bits) {
    const auto top = static_cast<std::uint16_t>((1u << bits) - 1);
    return QuadrantSamples(2, bits,
                           {{{top, top},
                             {static_cast<std::uint16_t>(top / 3), static_cast<std::uint16_t>(top / 2 + 1)},
                             {129, 0},
                             {static_cast<std::uint16_t>(top / 5), static_cast<std::uint16_t>(top / 4)}}});
}
Samples Bilevel() { return QuadrantSamples(1, 1, {{{0}, {1}, {1}, {0}}}); }

// What a pixel must become: each sample reduced to 8 bits, rounded, alpha laid onto the background.
Rgb Expected(const Samples& samples, int x, int y, Rgb background) {
    const std::uint16_t* s = samples.At(x, y);
    const double top = samples.Top();
    const bool alpha = samples.channels == 2 || samples.channels == 4;
    const double a = alpha ? s[samples.channels - 1] / top : 1.0;
    auto channel = [&](int c, std::uint8_t under) {
        const double value = s[samples.channels >= 3 ? c : 0] / top * 255.0;
        return static_cast<std::uint8_t>(std::lround(value * a + under * (1.0 - a)));
    };
    return {channel(0, background.r), channel(1, background.g), channel(2, background.b)};
}

// The largest channel difference from the expected picture, leaving out `margin` pixels on each
// side of the quadrants' borders (where lossy coding smears the colours).
int MaxDifference(const RgbBuffer& picture, const Samples& samples, Rgb background, int margin = 0) {
    int largest = 0;
    for (int y = 0; y < samples.height; ++y) {
        if (margin && std::abs(y - samples.height / 2) < margin) continue;
        for (int x = 0; x < samples.width; ++x) {
            if (margin && std::abs(x - samples.width / 2) < margin) continue;
            const Rgb got = At(picture, x, y), want = Expected(samples, x, y, background);
            largest = std::max(
                {largest, std::abs(got.r - want.r), std::abs(got.g - want.g), std::abs(got.b - want.b)});
        }
    }
    return largest;
}

// A picture the test means (`samples`) and the file that stores it.
struct Fixture {
    Samples samples;
    std::string file;
};

struct KindCase {
    const char* name;
    Format format;
    std::function<Fixture()> make;
    int tolerance;  // per channel
    bool lossy = false;
};

Fixture Png(Samples samples, PngExtras extras = {}) { return {samples, MakePng(samples, extras)}; }
Fixture Webp(Samples samples, WebpExtras extras = {}) { return {samples, MakeWebp(samples, extras)}; }
Fixture Tiff(Samples samples, TiffExtras extras = {}) { return {samples, MakeTiff(samples, extras)}; }

// A colour key makes one RGB colour transparent: the picture meant has alpha 0 there.
Fixture PngWithColourKey() {
    const Samples stored = Rgb8();
    Samples meant(stored.width, stored.height, 4, 8);
    for (int y = 0; y < stored.height; ++y) {
        for (int x = 0; x < stored.width; ++x) {
            const std::uint16_t* s = stored.At(x, y);
            std::copy(s, s + 3, meant.At(x, y));
            meant.At(x, y)[3] = s[0] == 0 && s[1] == 255 && s[2] == 0 ? 0 : 255;
        }
    }
    PngExtras extras;
    extras.colourKey = {0, 255, 0};
    return {meant, MakePng(stored, extras)};
}

class DecodeKinds : public testing::TestWithParam<KindCase> {};

TEST_P(DecodeKinds, GivesTheSamplesRoundedToEightBitsOverTheBackground) {
    const Fixture fixture = GetParam().make();
    DecodeRequest request;
    request.background = kBackground;
    const DecodedPicture picture = Decode(GetParam().format, fixture.file, request);
    ASSERT_EQ(picture.pixels.Width(), kWidth);
    ASSERT_EQ(picture.pixels.Height(), kHeight);
    EXPECT_EQ(picture.fullWidth, kWidth);
    EXPECT_EQ(picture.fullHeight, kHeight);
    EXPECT_LE(MaxDifference(picture.pixels, fixture.samples, kBackground, GetParam().lossy ? 3 : 0),
              GetParam().tolerance);
    EXPECT_TRUE(picture.iccProfile.empty());
    EXPECT_TRUE(picture.exif.empty());
}

const KindCase kKinds[] = {
    {"PngRgb8", Format::Png, [] { return Png(Rgb8()); }, 0},
    {"PngRgba8", Format::Png, [] { return Png(Rgba8()); }, 1},
    {"PngRgb16", Format::Png, [] { return Png(Rgb16()); }, 0},
    {"PngRgba16", Format::Png, [] { return Png(Rgba16()); }, 1},
    {"PngGrey8", Format::Png, [] { return Png(Grey(8)); }, 0},
    {"PngGrey2", Format::Png, [] { return Png(Grey(2)); }, 0},
    {"PngGreyAlpha8", Format::Png, [] { return Png(GreyAlpha(8)); }, 1},
    {"PngGreyAlpha16", Format::Png, [] { return Png(GreyAlpha(16)); }, 1},
    {"PngPalette", Format::Png, [] { return Png(Rgb8(), {.palette = true}); }, 0},
    {"PngPaletteWithAlpha", Format::Png, [] { return Png(Rgba8(), {.palette = true}); }, 1},
    {"PngColourKey", Format::Png, PngWithColourKey, 0},
    {"PngInterlaced16", Format::Png, [] { return Png(Rgba16(), {.interlaced = true}); }, 1},
    {"WebpLossless", Format::Webp, [] { return Webp(Rgb8()); }, 0},
    {"WebpLosslessAlpha", Format::Webp, [] { return Webp(Rgba8()); }, 1},
    {"WebpLossy", Format::Webp, [] { return Webp(Rgb8(), {.lossless = false, .quality = 95}); }, 12, true},
    {"WebpLossyAlpha", Format::Webp, [] { return Webp(Rgba8(), {.lossless = false, .quality = 95}); }, 12,
     true},
    {"TiffRgb8", Format::Tiff, [] { return Tiff(Rgb8()); }, 0},
    {"TiffRgb8Lzw", Format::Tiff, [] { return Tiff(Rgb8(), {.compression = COMPRESSION_LZW}); }, 0},
    {"TiffRgba8", Format::Tiff, [] { return Tiff(Rgba8()); }, 1},
    {"TiffRgba8Premultiplied", Format::Tiff, [] { return Tiff(Rgba8(), {.associatedAlpha = true}); }, 2},
    {"TiffRgb16", Format::Tiff, [] { return Tiff(Rgb16()); }, 0},
    {"TiffRgba16", Format::Tiff, [] { return Tiff(Rgba16()); }, 1},
    {"TiffGrey8", Format::Tiff, [] { return Tiff(Grey(8)); }, 0},
    {"TiffGrey8MinIsWhite", Format::Tiff, [] { return Tiff(Grey(8), {.minIsWhite = true}); }, 0},
    {"TiffGrey16", Format::Tiff, [] { return Tiff(Grey(16)); }, 0},
    {"TiffGrey4", Format::Tiff, [] { return Tiff(Grey(4)); }, 0},
    {"TiffBilevelMinIsWhite", Format::Tiff, [] { return Tiff(Bilevel(), {.minIsWhite = true}); }, 0},
    {"TiffGreyAlpha16", Format::Tiff, [] { return Tiff(GreyAlpha(16)); }, 1},
    {"TiffPalette", Format::Tiff, [] { return Tiff(Rgb8(), {.palette = true}); }, 0},
    // The kinds libtiff's RGBA reader takes.
    {"TiffSeparatePlanes", Format::Tiff, [] { return Tiff(Rgba8(), {.layout = TiffLayout::SeparatePlanes}); },
     2},
    {"TiffTiles16", Format::Tiff, [] { return Tiff(Rgb16(), {.layout = TiffLayout::Tiles}); }, 1},
    {"TiffCmyk", Format::Tiff, [] { return Tiff(Rgb8(), {.cmyk = true}); }, 1},
};

INSTANTIATE_TEST_SUITE_P(RasterFormats, DecodeKinds, testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Orientation ----

// The same four-coloured picture in each format, with an orientation stored the format's way.
struct OrientedCase {
    const char* name;
    Format format;
    std::string (*make)(const Samples& samples, int orientation);
};

const OrientedCase kOriented[] = {
    {"PngExifBeforePicture", Format::Png,
     [](const Samples& s, int o) { return MakePng(s, {.exif = ExifWithOrientation(o)}); }},
    {"PngExifAfterPicture", Format::Png,
     [](const Samples& s, int o) {
         return MakePng(s, {.exif = ExifWithOrientation(o), .exifAfterPicture = true});
     }},
    {"WebpExifAsJpegHolds", Format::Webp,
     [](const Samples& s, int o) {
         return MakeWebp(s, {.exif = std::string("Exif\0\0", 6) + ExifWithOrientation(o)});
     }},
    {"WebpExifBare", Format::Webp,
     [](const Samples& s, int o) { return MakeWebp(s, {.exif = ExifWithOrientation(o)}); }},
    {"TiffStrips", Format::Tiff, [](const Samples& s, int o) { return MakeTiff(s, {.orientation = o}); }},
    {"TiffSeparatePlanes", Format::Tiff,
     [](const Samples& s, int o) {
         return MakeTiff(s, {.layout = TiffLayout::SeparatePlanes, .orientation = o});
     }},
};

// Where the upright pixel (u, v) lies in the stored picture, for each EXIF orientation.
void StoredPosition(int orientation, int u, int v, int width, int height, int& x, int& y) {
    switch (orientation) {
        case 3:  // a half turn
            x = width - 1 - u, y = height - 1 - v;
            return;
        case 6:  // stored a quarter turn anticlockwise: shown turned clockwise
            x = v, y = height - 1 - u;
            return;
        case 8:
            x = width - 1 - v, y = u;
            return;
        default:
            x = u, y = v;
    }
}

class Orientation : public testing::TestWithParam<std::tuple<OrientedCase, int>> {};

TEST_P(Orientation, TurnsThePictureUpright) {
    const auto& [oriented, orientation] = GetParam();
    const Samples stored = Rgb8();
    const DecodedPicture picture = Decode(oriented.format, oriented.make(stored, orientation));
    const bool sidesSwap = orientation >= 5;
    const int width = sidesSwap ? kHeight : kWidth, height = sidesSwap ? kWidth : kHeight;
    ASSERT_EQ(picture.pixels.Width(), width);
    ASSERT_EQ(picture.pixels.Height(), height);
    EXPECT_EQ(picture.fullWidth, width);
    EXPECT_EQ(picture.fullHeight, height);
    int wrong = 0;
    for (int v = 0; v < height; ++v) {
        for (int u = 0; u < width; ++u) {
            int x = 0, y = 0;
            StoredPosition(orientation, u, v, kWidth, kHeight, x, y);
            if (!(At(picture.pixels, u, v) == Expected(stored, x, y, kWhite))) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels out of place";
}

INSTANTIATE_TEST_SUITE_P(RasterFormats, Orientation,
                         testing::Combine(testing::ValuesIn(kOriented), testing::Values(3, 6, 8)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

// ---- EXIF ----

struct ExifCase {
    const char* name;
    Format format;
    std::string (*make)(const std::string& tiffData);
};

const ExifCase kExif[] = {
    {"PngBeforePicture", Format::Png, [](const std::string& e) { return MakePng(Rgb8(), {.exif = e}); }},
    {"PngAfterPicture", Format::Png,
     [](const std::string& e) { return MakePng(Rgb8(), {.exif = e, .exifAfterPicture = true}); }},
    {"WebpAsJpegHolds", Format::Webp,
     [](const std::string& e) { return MakeWebp(Rgb8(), {.exif = std::string("Exif\0\0", 6) + e}); }},
    {"WebpBare", Format::Webp, [](const std::string& e) { return MakeWebp(Rgb8(), {.exif = e}); }},
};

class ExifBlock : public testing::TestWithParam<ExifCase> {};

TEST_P(ExifBlock, ComesBackAsJpegHoldsIt) {
    const std::string tiffData = ExifWithOrientation(1);
    const DecodedPicture picture = Decode(GetParam().format, GetParam().make(tiffData));
    EXPECT_EQ(picture.exif, std::string("Exif\0\0", 6) + tiffData);
}

INSTANTIATE_TEST_SUITE_P(RasterFormats, ExifBlock, testing::ValuesIn(kExif),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

std::string TextOf(ExifData* exif, ExifIfd ifd, ExifTag tag) {
    ExifEntry* entry = exif_content_get_entry(exif->ifd[ifd], tag);
    if (!entry || entry->format != EXIF_FORMAT_ASCII || !entry->data) return "(none)";
    return std::string(reinterpret_cast<const char*>(entry->data),
                       strnlen(reinterpret_cast<const char*>(entry->data), entry->size));
}

TEST(TiffExif, IsMadeFromTheCameraTagsAndLeavesTheLocationOut) {
    TiffExtras extras{.orientation = 6,
                      .make = "Fujifilm",
                      .model = "X-T5",
                      .dateTime = "2024:05:01 10:11:12",
                      .dateTimeOriginal = "2024:04:30 09:08:07",
                      .gps = true};
    const DecodedPicture picture = Decode(Format::Tiff, MakeTiff(Rgb8(), extras));
    ASSERT_GT(picture.exif.size(), 6u);
    ASSERT_EQ(picture.exif.compare(0, 6, std::string("Exif\0\0", 6)), 0);
    std::unique_ptr<ExifData, ExifDataUnref> exif(
        exif_data_new_from_data(reinterpret_cast<const unsigned char*>(picture.exif.data()),
                                static_cast<unsigned>(picture.exif.size())));
    ASSERT_TRUE(exif);
    EXPECT_EQ(TextOf(exif.get(), EXIF_IFD_0, EXIF_TAG_MAKE), "Fujifilm");
    EXPECT_EQ(TextOf(exif.get(), EXIF_IFD_0, EXIF_TAG_MODEL), "X-T5");
    EXPECT_EQ(TextOf(exif.get(), EXIF_IFD_0, EXIF_TAG_DATE_TIME), "2024:05:01 10:11:12");
    EXPECT_EQ(TextOf(exif.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL), "2024:04:30 09:08:07");
    EXPECT_EQ(exif->ifd[EXIF_IFD_GPS]->count, 0u);
    // The pixels are upright already: an orientation in the block would turn copies twice.
    EXPECT_EQ(exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION), nullptr);
    EXPECT_EQ(picture.fullWidth, kHeight);

    EXPECT_TRUE(Decode(Format::Tiff, MakeTiff(Rgb8())).exif.empty()) << "a TIFF without camera tags";
}

// ---- Colour profiles ----

struct ProfileCase {
    const char* name;
    Format format;
    std::function<std::string()> make;
    std::function<std::string()> kept;  // the profile the picture must carry; empty for none
};

const ProfileCase kProfiles[] = {
    {"PngRgb", Format::Png, [] { return MakePng(Rgb8(), {.icc = SrgbProfile()}); }, SrgbProfile},
    {"PngGreyDropped", Format::Png, [] { return MakePng(Grey(8), {.icc = GreyProfile()}); },
     [] { return std::string(); }},
    {"PngSrgbChunk", Format::Png, [] { return MakePng(Rgb8(), {.srgb = true}); },
     [] { return std::string(); }},
    {"PngGammaOnly", Format::Png, [] { return MakePng(Rgb8(), {.gamma = 1 / 2.2}); },
     [] { return std::string(); }},
    {"WebpRgb", Format::Webp, [] { return MakeWebp(Rgba8(), {.icc = SrgbProfile()}); }, SrgbProfile},
    {"WebpGreyDropped", Format::Webp, [] { return MakeWebp(Rgb8(), {.icc = GreyProfile()}); },
     [] { return std::string(); }},
    {"TiffRgb", Format::Tiff, [] { return MakeTiff(Rgb16(), {.icc = SrgbProfile()}); }, SrgbProfile},
    {"TiffRgbThroughRgbaReader", Format::Tiff,
     [] { return MakeTiff(Rgb8(), {.layout = TiffLayout::Tiles, .icc = SrgbProfile()}); }, SrgbProfile},
    {"TiffGreyDropped", Format::Tiff, [] { return MakeTiff(Grey(8), {.icc = GreyProfile()}); },
     [] { return std::string(); }},
};

class Profile : public testing::TestWithParam<ProfileCase> {};

TEST_P(Profile, KeepsAnRgbProfileByteForByte) {
    const std::string expected = GetParam().kept();
    const DecodedPicture picture = Decode(GetParam().format, GetParam().make());
    EXPECT_EQ(picture.iccProfile, expected);
}

INSTANTIATE_TEST_SUITE_P(RasterFormats, Profile, testing::ValuesIn(kProfiles),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Damaged files ----

std::string Truncated(const std::string& file) { return file.substr(0, file.size() * 6 / 10); }

// The PNG with bytes in the middle of its picture data changed: the chunk's checksum no longer fits.
std::string PngWithDamagedData() {
    std::string file = MakePng(Rgb8());
    const std::size_t data = file.find("IDAT") + 4;
    file[data + 10] = static_cast<char>(~file[data + 10]);
    return file;
}

// The lossless bitstream's signature byte changed.
std::string WebpWithDamagedHeader() {
    std::string file = MakeWebp(Rgb8());
    file[file.find("VP8L") + 8] = 0x11;
    return file;
}

// LZW codes that make no table.
std::string TiffWithDamagedData() {
    std::string file = MakeTiff(Rgb8(), {.compression = COMPRESSION_LZW});
    std::fill(file.begin() + 8, file.begin() + 40, '\xFF');
    return file;
}

struct FaultCase {
    const char* name;
    Format format;
    std::string (*make)();
    int code;
};

const FaultCase kFaults[] = {
    {"PngTruncated", Format::Png, [] { return Truncated(MakePng(Rgb8())); }, kLeadCorruptFile},
    {"PngDamagedData", Format::Png, PngWithDamagedData, kLeadCorruptFile},
    {"PngSignatureOnly", Format::Png, [] { return MakePng(Rgb8()).substr(0, 8); }, kLeadCorruptFile},
    {"WebpTruncated", Format::Webp, [] { return Truncated(MakeWebp(Rgb8())); }, kLeadCorruptFile},
    {"WebpTruncatedWithChunks", Format::Webp,
     [] { return Truncated(MakeWebp(Rgb8(), {.exif = ExifWithOrientation(6)})); }, kLeadCorruptFile},
    {"WebpDamagedHeader", Format::Webp, WebpWithDamagedHeader, kLeadCorruptFile},
    {"TiffTruncated", Format::Tiff, [] { return Truncated(MakeTiff(Rgb8())); }, kLeadCorruptFile},
    {"TiffDamagedData", Format::Tiff, TiffWithDamagedData, kLeadCorruptFile},
    {"TiffHeaderOnly", Format::Tiff, [] { return MakeTiff(Rgb8()).substr(0, 8); }, kLeadCorruptFile},
    {"TiffFloatSamples", Format::Tiff, [] { return MakeTiff(Rgb8(), {.floats = true}); },
     kLeadUnsupportedFormat},
};

class Fault : public testing::TestWithParam<FaultCase> {};

TEST_P(Fault, NamesTheFileAndWhatIsWrong) {
    const std::string name = "holiday/broken.file";
    const std::string file = GetParam().make();
    try {
        Decode(GetParam().format, file, {}, name);
        FAIL() << "decoded";
    } catch (const ImagingFault& fault) {
        EXPECT_EQ(fault.Code(), GetParam().code) << fault.what();
        const std::string text = fault.what();
        EXPECT_EQ(text.rfind(name + ": ", 0), 0u) << text;
        EXPECT_GT(text.size(), name.size() + 2) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(RasterFormats, Fault, testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Bounds and header sizes, per format ----

std::string PlainFile(Format format, int orientation = 1) {
    switch (format) {
        case Format::Png:
            return MakePng(Rgb8(), {.exif = ExifWithOrientation(orientation)});
        case Format::Webp:
            return MakeWebp(Rgb8(), {.exif = ExifWithOrientation(orientation)});
        case Format::Tiff:
            break;
    }
    return MakeTiff(Rgb8(), {.orientation = orientation});
}

class EveryFormat : public testing::TestWithParam<Format> {};

TEST_P(EveryFormat, RefusesAPictureAbovePixelBound) {
    const std::string file = PlainFile(GetParam());
    DecodeRequest request;
    request.limits.maxPixels = kWidth * kHeight - 1;
    try {
        Decode(GetParam(), file, request);
        FAIL() << "decoded";
    } catch (const ImagingFault& fault) {
        EXPECT_EQ(fault.Code(), kLeadPictureTooLarge) << fault.what();
    }
    request.limits.maxPixels = kWidth * kHeight;
    EXPECT_EQ(Decode(GetParam(), file, request).pixels.Width(), kWidth);
}

TEST_P(EveryFormat, ReadsTheStoredSizeFromTheHeader) {
    const std::string file = PlainFile(GetParam(), 6);
    int width = 0, height = 0;
    ASSERT_TRUE(ReadSize(GetParam(), file, width, height));
    EXPECT_EQ(width, kWidth);  // as stored, before the orientation
    EXPECT_EQ(height, kHeight);
    EXPECT_FALSE(ReadSize(GetParam(), file.substr(0, 10), width, height));
    EXPECT_FALSE(ReadSize(GetParam(), std::string(200, 'x'), width, height));
}

INSTANTIATE_TEST_SUITE_P(RasterFormats, EveryFormat, testing::Values(Format::Png, Format::Webp, Format::Tiff),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

// ---- WebP at a smaller scale ----

struct ScaleCase {
    int orientation;
    int targetWidth, targetHeight;  // upright
    int width, height;              // decoded, upright
};

void PrintTo(const ScaleCase& c, std::ostream* out) {
    *out << "orientation " << c.orientation << ", target " << c.targetWidth << " x " << c.targetHeight;
}

class WebpScale : public testing::TestWithParam<ScaleCase> {};

TEST_P(WebpScale, DecodesNoSmallerThanTheTarget) {
    const ScaleCase& c = GetParam();
    constexpr int kFullWidth = 40, kFullHeight = 24;
    const Samples samples = SamplesOf(Quadrants(kFullWidth, kFullHeight, kRed, kGreen, kBlue, kWhite));
    const std::string file = MakeWebp(samples, {.exif = ExifWithOrientation(c.orientation)});
    DecodeRequest request;
    request.targetWidth = c.targetWidth;
    request.targetHeight = c.targetHeight;
    const DecodedPicture picture = Decode(Format::Webp, file, request);
    EXPECT_EQ(picture.pixels.Width(), c.width);
    EXPECT_EQ(picture.pixels.Height(), c.height);
    const bool swaps = c.orientation >= 5;
    EXPECT_EQ(picture.fullWidth, swaps ? kFullHeight : kFullWidth);
    EXPECT_EQ(picture.fullHeight, swaps ? kFullWidth : kFullHeight);
    // The quadrants scaled with it: upright, the top left is red (for 6, the stored bottom left).
    const Rgb topLeft = c.orientation == 6 ? kBlue : kRed;
    EXPECT_TRUE(Near(At(picture.pixels, c.width / 4, c.height / 4), topLeft, 8));
}

// 40 × 24 stored: the smallest size in proportion that covers the target on both sides.
const ScaleCase kScales[] = {
    {1, 0, 0, 40, 24},    // the whole picture
    {1, 20, 6, 20, 12},   // the width decides
    {1, 10, 12, 20, 12},  // the height decides
    {1, 13, 0, 13, 8},    // 7.8 rows round up
    {1, 0, 9, 15, 9},     // a side of 0 follows the other
    {1, 39, 1, 40, 24},   // as large as the picture: no scaling
    {6, 12, 20, 12, 20},  // the target is upright, the decode stored
};

INSTANTIATE_TEST_SUITE_P(RasterFormats, WebpScale, testing::ValuesIn(kScales), [](const auto& info) {
    const ScaleCase& c = info.param;
    std::string name = "Orientation";
    name += std::to_string(c.orientation);
    name += "Target";
    name += std::to_string(c.targetWidth);
    name += "x";
    name += std::to_string(c.targetHeight);
    return name;
});

TEST(WebpAnimation, ShowsTheFirstFrameInItsPlaceOnTheCanvas) {
    const Samples first = SamplesOf(Quadrants(10, 8, kRed, kGreen, kBlue, kBlack));
    const Samples second = SamplesOf(Solid(30, 20, kWhite));
    const std::string file = MakeAnimatedWebp(30, 20, {{first, 4, 6}, {second, 0, 0}});
    DecodeRequest request;
    request.background = kBackground;
    const DecodedPicture picture = Decode(Format::Webp, file, request);
    ASSERT_EQ(picture.pixels.Width(), 30);
    ASSERT_EQ(picture.pixels.Height(), 20);
    int wrong = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inFrame = x >= 4 && x < 14 && y >= 6 && y < 14;
            const Rgb want = inFrame ? Expected(first, x - 4, y - 6, kBackground) : kBackground;
            if (!(At(picture.pixels, x, y) == want)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace wexbo::test
