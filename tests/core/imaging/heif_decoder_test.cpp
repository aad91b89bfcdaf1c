#include "imaging/heif_decoder.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "format_fixtures.h"
#include "heif_fixtures.h"
#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"
#include "jpeg_fixtures.h"

namespace wexbo {
namespace {

using namespace wexbo::test;

constexpr char kSource[] = "/photos/IMG_0001.HEIC";
constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr std::uint64_t kPixels = kWidth * kHeight;

DecodedPicture Decode(const std::string& bytes, const DecodeRequest& request = {}) {
    return DecodeHeifMemory(bytes.data(), bytes.size(), request, kSource);
}

std::string HeifOf(const RgbBuffer& picture, HeifCodec codec, int bitDepth = 8) {
    HeifOptions options;
    options.codec = codec;
    options.bitDepth = bitDepth;
    return MakeHeif(picture, options);
}

// ---------------------------------------------------------------- sizes and colours

struct FormatCase {
    const char* name;
    HeifCodec codec;
    int bitDepth;
    int width;
    int height;
};

class HeifFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(HeifFormats, DecodesSizeAndColours) {
    const FormatCase& c = GetParam();
    const RgbBuffer picture = PhotoLike(c.width, c.height);
    const std::string bytes = HeifOf(picture, c.codec, c.bitDepth);

    const DecodedPicture result = Decode(bytes);
    EXPECT_EQ(result.fullWidth, c.width);
    EXPECT_EQ(result.fullHeight, c.height);
    ASSERT_EQ(result.pixels.Width(), c.width);
    ASSERT_EQ(result.pixels.Height(), c.height);
    EXPECT_LT(MeanDifference(result.pixels, picture), 2.0);
    EXPECT_TRUE(result.iccProfile.empty());
    EXPECT_TRUE(result.exif.empty());

    int width = 0, height = 0;
    ASSERT_TRUE(ReadHeifSize(bytes.data(), bytes.size(), width, height));
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Codecs, HeifFormats,
                         ::testing::Values(FormatCase{"Heic8", HeifCodec::Hevc, 8, kWidth, kHeight},
                                           FormatCase{"Heic10", HeifCodec::Hevc, 10, kWidth, kHeight},
                                           FormatCase{"Avif8", HeifCodec::Av1, 8, kWidth, kHeight},
                                           FormatCase{"Heic8OddSize", HeifCodec::Hevc, 8, 63, 47},
                                           FormatCase{"Avif8OddSize", HeifCodec::Av1, 8, 63, 47}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- orientation

struct OrientationCase {
    const char* name;
    HeifCodec codec;
    int container;               // what irot/imir say, as an EXIF value
    int exif;                    // the EXIF orientation tag inside the file; 0 for no EXIF
    std::array<Rgb, 4> corners;  // expected top left, top right, bottom left, bottom right
};

class HeifOrientation : public ::testing::TestWithParam<OrientationCase> {};

// Stored: red top left, green top right, blue bottom left, white bottom right.
TEST_P(HeifOrientation, ContainerTurnsThePictureAndExifDoesNot) {
    const OrientationCase& c = GetParam();
    HeifOptions options;
    options.codec = c.codec;
    options.orientation = c.container;
    if (c.exif) options.exif = ExifTiff(c.exif);
    const std::string bytes = MakeHeif(Quadrants(kWidth, kHeight, kRed, kGreen, kBlue, kWhite), options);

    const DecodedPicture result = Decode(bytes);
    const bool turned = c.container >= 5;
    const int width = turned ? kHeight : kWidth, height = turned ? kWidth : kHeight;
    EXPECT_EQ(result.fullWidth, width);
    EXPECT_EQ(result.fullHeight, height);
    ASSERT_EQ(result.pixels.Width(), width);
    ASSERT_EQ(result.pixels.Height(), height);
    const Rgb seen[4] = {
        At(result.pixels, width / 4, height / 4), At(result.pixels, 3 * width / 4, height / 4),
        At(result.pixels, width / 4, 3 * height / 4), At(result.pixels, 3 * width / 4, 3 * height / 4)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Near(seen[i], c.corners[i]))
            << "corner " << i << ": " << int(seen[i].r) << "," << int(seen[i].g) << "," << int(seen[i].b);
    }

    // The boxes alone give the same size.
    int boxWidth = 0, boxHeight = 0;
    ASSERT_TRUE(ReadHeifSize(bytes.data(), bytes.size(), boxWidth, boxHeight));
    EXPECT_EQ(boxWidth, width);
    EXPECT_EQ(boxHeight, height);
}

INSTANTIATE_TEST_SUITE_P(
    Containers, HeifOrientation,
    ::testing::Values(
        OrientationCase{"HeicQuarterTurn", HeifCodec::Hevc, 6, 0, {kBlue, kRed, kWhite, kGreen}},
        OrientationCase{"HeicThreeQuarterTurn", HeifCodec::Hevc, 8, 0, {kGreen, kWhite, kRed, kBlue}},
        OrientationCase{"HeicHalfTurn", HeifCodec::Hevc, 3, 0, {kWhite, kBlue, kGreen, kRed}},
        OrientationCase{"HeicMirror", HeifCodec::Hevc, 2, 0, {kGreen, kRed, kWhite, kBlue}},
        OrientationCase{"HeicMirrorTopToBottom", HeifCodec::Hevc, 4, 0, {kBlue, kWhite, kRed, kGreen}},
        OrientationCase{"HeicTranspose", HeifCodec::Hevc, 5, 0, {kRed, kBlue, kGreen, kWhite}},
        OrientationCase{"HeicTransverse", HeifCodec::Hevc, 7, 0, {kWhite, kGreen, kBlue, kRed}},
        OrientationCase{"AvifQuarterTurn", HeifCodec::Av1, 6, 0, {kBlue, kRed, kWhite, kGreen}},
        OrientationCase{"AvifMirror", HeifCodec::Av1, 2, 0, {kGreen, kRed, kWhite, kBlue}},
        OrientationCase{"ExifTurnAloneIgnored", HeifCodec::Hevc, 1, 6, {kRed, kGreen, kBlue, kWhite}},
        OrientationCase{"ContainerOverExif", HeifCodec::Hevc, 8, 6, {kGreen, kWhite, kRed, kBlue}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- alpha

struct AlphaCase {
    const char* name;
    HeifCodec codec;
    int bitDepth;
    bool premultiplied;
    Rgb background;
};

class HeifAlpha : public ::testing::TestWithParam<AlphaCase> {};

// Columns: opaque, half transparent, fully transparent.
TEST_P(HeifAlpha, LaysTransparencyOntoTheBackground) {
    const AlphaCase& c = GetParam();
    constexpr Rgb kColour{200, 40, 0};
    constexpr std::uint8_t kHalf = 128;
    const int third = kWidth / 3;
    RgbBuffer picture(kWidth, kHeight);
    HeifOptions options;
    options.codec = c.codec;
    options.bitDepth = c.bitDepth;
    options.premultiplied = c.premultiplied;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t alpha = x < third ? 255 : x < 2 * third ? kHalf : 0;
            options.alpha.push_back(alpha);
            const auto scale = [&](std::uint8_t v) {
                return c.premultiplied ? static_cast<std::uint8_t>((v * alpha + 127) / 255) : v;
            };
            std::uint8_t* p = picture.Row(y) + 3 * x;
            p[0] = scale(kColour.r), p[1] = scale(kColour.g), p[2] = scale(kColour.b);
        }
    }
    DecodeRequest request;
    request.background = c.background;
    const DecodedPicture result = Decode(MakeHeif(picture, options), request);

    const auto blend = [](std::uint8_t v, std::uint8_t bg) {
        return static_cast<std::uint8_t>((v * kHalf + bg * (255 - kHalf) + 127) / 255);
    };
    const Rgb half{blend(kColour.r, c.background.r), blend(kColour.g, c.background.g),
                   blend(kColour.b, c.background.b)};
    const int y = kHeight / 2;
    const Rgb left = At(result.pixels, third / 2, y), middle = At(result.pixels, third + third / 2, y),
              right = At(result.pixels, 2 * third + third / 2, y);
    EXPECT_TRUE(Near(left, kColour, 12)) << int(left.r) << "," << int(left.g) << "," << int(left.b);
    EXPECT_TRUE(Near(middle, half, 12)) << int(middle.r) << "," << int(middle.g) << "," << int(middle.b);
    EXPECT_TRUE(Near(right, c.background, 12)) << int(right.r) << "," << int(right.g) << "," << int(right.b);
}

INSTANTIATE_TEST_SUITE_P(
    Backgrounds, HeifAlpha,
    ::testing::Values(AlphaCase{"Heic8OnWhite", HeifCodec::Hevc, 8, false, kWhite},
                      AlphaCase{"Heic8OnBlue", HeifCodec::Hevc, 8, false, Rgb{0, 90, 255}},
                      AlphaCase{"Heic10OnBlue", HeifCodec::Hevc, 10, false, Rgb{0, 90, 255}},
                      AlphaCase{"Avif8OnGreen", HeifCodec::Av1, 8, false, Rgb{20, 200, 60}},
                      AlphaCase{"Heic8PremultipliedOnBlue", HeifCodec::Hevc, 8, true, Rgb{0, 90, 255}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- ICC profiles

struct IccCase {
    const char* name;
    HeifCodec codec;
    std::string (*profile)();
    bool kept;
};

class HeifIcc : public ::testing::TestWithParam<IccCase> {};

TEST_P(HeifIcc, KeepsAnRgbProfileByteForByte) {
    const IccCase& c = GetParam();
    HeifOptions options;
    options.codec = c.codec;
    options.iccProfile = c.profile();
    const DecodedPicture result = Decode(MakeHeif(Solid(kWidth, kHeight, kGreen), options));
    EXPECT_EQ(result.iccProfile, c.kept ? options.iccProfile : std::string());
    EXPECT_TRUE(Near(At(result.pixels, kWidth / 2, kHeight / 2), kGreen));
}

INSTANTIATE_TEST_SUITE_P(Profiles, HeifIcc,
                         ::testing::Values(IccCase{"HeicDisplayP3", HeifCodec::Hevc, DisplayP3Profile, true},
                                           IccCase{"AvifDisplayP3", HeifCodec::Av1, DisplayP3Profile, true},
                                           IccCase{"HeicGreyDropped", HeifCodec::Hevc, GreyProfile, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- nclx colour descriptions

struct Xy {
    double x, y;
};

struct NclxCase {
    const char* name;
    HeifCodec codec;
    NclxCodes nclx;
    bool profile;                 // whether the decoder makes one
    std::array<Xy, 4> primaries;  // red, green, blue, white
    double curveAtHalf;           // the red curve's linear value for a coded 0.5
    const char* description;
};

constexpr std::array<Xy, 4> kP3{{{0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, {0.3127, 0.3290}}};
constexpr std::array<Xy, 4> kBt2020{{{0.708, 0.292}, {0.170, 0.797}, {0.131, 0.046}, {0.3127, 0.3290}}};
constexpr double kSrgbHalf = 0.2140;                        // ((0.5 + 0.055) / 1.055) ^ 2.4
constexpr double kBt709Half = 0.2597;                       // ((0.5 + 0.099) / 1.099) ^ (1 / 0.45)
constexpr char kOwnName[] = "Colour space of the picture";  // the profile of any other description

struct ProfileClose {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};

// The chromaticity a D50-adapted colorant had before the profile's adaptation.
Xy Unadapted(const cmsCIEXYZ& xyz, const cmsFloat64Number* chad) {
    // chad maps the source white to D50; solve chad * v = xyz by Cramer's rule.
    const double a = chad[0], b = chad[1], c = chad[2], d = chad[3], e = chad[4], f = chad[5], g = chad[6],
                 h = chad[7], i = chad[8];
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    const double X = xyz.X, Y = xyz.Y, Z = xyz.Z;
    const double vx = (X * (e * i - f * h) - b * (Y * i - f * Z) + c * (Y * h - e * Z)) / det;
    const double vy = (a * (Y * i - f * Z) - X * (d * i - f * g) + c * (d * Z - Y * g)) / det;
    const double vz = (a * (e * Z - Y * h) - b * (d * Z - Y * g) + X * (d * h - e * g)) / det;
    const double sum = vx + vy + vz;
    return {vx / sum, vy / sum};
}

class HeifNclx : public ::testing::TestWithParam<NclxCase> {};

TEST_P(HeifNclx, BecomesAMatchingIccProfile) {
    const NclxCase& c = GetParam();
    HeifOptions options;
    options.codec = c.codec;
    options.writeNclx = true;
    options.nclx = c.nclx;
    const DecodedPicture result = Decode(MakeHeif(PhotoLike(kWidth, kHeight), options));
    if (!c.profile) {
        EXPECT_TRUE(result.iccProfile.empty());
        return;
    }
    ASSERT_FALSE(result.iccProfile.empty());
    std::unique_ptr<void, ProfileClose> profile(cmsOpenProfileFromMem(
        result.iccProfile.data(), static_cast<cmsUInt32Number>(result.iccProfile.size())));
    ASSERT_TRUE(profile);
    EXPECT_EQ(cmsGetColorSpace(profile.get()), cmsSigRgbData);
    EXPECT_EQ(cmsGetDeviceClass(profile.get()), cmsSigDisplayClass);

    const auto* chad =
        static_cast<const cmsFloat64Number*>(cmsReadTag(profile.get(), cmsSigChromaticAdaptationTag));
    ASSERT_NE(chad, nullptr);
    const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
    cmsCIEXYZ white{0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile.get(), tags[i]));
        ASSERT_NE(xyz, nullptr);
        const Xy seen = Unadapted(*xyz, chad);
        EXPECT_NEAR(seen.x, c.primaries[i].x, 0.002) << "primary " << i;
        EXPECT_NEAR(seen.y, c.primaries[i].y, 0.002) << "primary " << i;
        white.X += xyz->X, white.Y += xyz->Y, white.Z += xyz->Z;
    }
    const Xy seenWhite = Unadapted(white, chad);
    EXPECT_NEAR(seenWhite.x, c.primaries[3].x, 0.002);
    EXPECT_NEAR(seenWhite.y, c.primaries[3].y, 0.002);

    const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile.get(), cmsSigRedTRCTag));
    ASSERT_NE(curve, nullptr);
    EXPECT_NEAR(cmsEvalToneCurveFloat(curve, 0.5f), c.curveAtHalf, 0.002);

    char description[64] = {};
    cmsGetProfileInfoASCII(profile.get(), cmsInfoDescription, "en", "US", description, sizeof description);
    EXPECT_STREQ(description, c.description);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, HeifNclx,
    ::testing::Values(
        NclxCase{"HeicDisplayP3", HeifCodec::Hevc, {12, 13, 6}, true, kP3, kSrgbHalf, "Display P3"},
        NclxCase{"AvifDisplayP3", HeifCodec::Av1, {12, 13, 6}, true, kP3, kSrgbHalf, "Display P3"},
        NclxCase{"HeicBt2020", HeifCodec::Hevc, {9, 14, 6}, true, kBt2020, kBt709Half, kOwnName},
        NclxCase{"HeicP3Linear", HeifCodec::Hevc, {12, 8, 6}, true, kP3, 0.5, kOwnName},
        NclxCase{"HeicSrgb", HeifCodec::Hevc, {1, 13, 6}, false, {}, 0, ""},
        NclxCase{"HeicNothingGiven", HeifCodec::Hevc, {2, 2, 6}, false, {}, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- embedded thumbnail

struct ThumbnailCase {
    const char* name;
    int orientation;
    bool squareThumbnail;  // 32 × 32 rather than the picture's proportions, 32 × 24 as stored
    int targetWidth;
    int targetHeight;
    bool thumbnailUsed;
};

class HeifThumbnail : public ::testing::TestWithParam<ThumbnailCase> {};

// The picture is red, its thumbnail green.
TEST_P(HeifThumbnail, ServesTargetsItCovers) {
    const ThumbnailCase& c = GetParam();
    const RgbBuffer thumbnail = Solid(kWidth, c.squareThumbnail ? kWidth : kHeight, kGreen);
    HeifOptions options;
    options.orientation = c.orientation;
    options.thumbnails = {{&thumbnail, 32}};
    DecodeRequest request;
    request.targetWidth = c.targetWidth;
    request.targetHeight = c.targetHeight;
    const DecodedPicture result = Decode(MakeHeif(Solid(kWidth, kHeight, kRed), options), request);

    const bool turned = c.orientation >= 5;
    const int fullWidth = turned ? kHeight : kWidth, fullHeight = turned ? kWidth : kHeight;
    EXPECT_EQ(result.fullWidth, fullWidth);
    EXPECT_EQ(result.fullHeight, fullHeight);
    int width = fullWidth, height = fullHeight;
    if (c.thumbnailUsed) {
        width = c.squareThumbnail ? 32 : fullWidth / 2;
        height = c.squareThumbnail ? 32 : fullHeight / 2;
    }
    ASSERT_EQ(result.pixels.Width(), width);
    ASSERT_EQ(result.pixels.Height(), height);
    EXPECT_TRUE(Near(At(result.pixels, width / 2, height / 2), c.thumbnailUsed ? kGreen : kRed));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, HeifThumbnail,
    ::testing::Values(ThumbnailCase{"WholePicture", 1, false, 0, 0, false},
                      ThumbnailCase{"ExactFit", 1, false, 32, 24, true},
                      ThumbnailCase{"WidthOnly", 1, false, 20, 0, true},
                      ThumbnailCase{"TooWide", 1, false, 33, 10, false},
                      ThumbnailCase{"TooTall", 1, false, 30, 25, false},
                      ThumbnailCase{"TurnedFits", 6, false, 24, 32, true},
                      ThumbnailCase{"TurnedHeightOnly", 6, false, 0, 32, true},
                      ThumbnailCase{"TurnedTargetTooWide", 6, false, 32, 24, false},
                      // the missing side follows the picture (64 × 48), not the thumbnail
                      ThumbnailCase{"HeightOnlyWidthTooLarge", 1, true, 0, 30, false},
                      ThumbnailCase{"HeightOnlyWidthFits", 1, true, 0, 24, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Of two thumbnails that cover the target the smaller is decoded.
TEST(HeifThumbnails, SmallestCoveringOneServes) {
    const RgbBuffer small = Solid(kWidth, kHeight, kGreen), large = Solid(kWidth, kHeight, kBlue);
    HeifOptions options;
    options.thumbnails = {{&small, 32}, {&large, 48}};
    const std::string bytes = MakeHeif(Solid(kWidth, kHeight, kRed), options);
    struct Expected {
        int targetWidth, width;
        Rgb colour;
    };
    for (const Expected& e :
         {Expected{16, 32, kGreen}, Expected{40, 48, kBlue}, Expected{49, kWidth, kRed}}) {
        DecodeRequest request;
        request.targetWidth = e.targetWidth;
        const DecodedPicture result = Decode(bytes, request);
        ASSERT_EQ(result.pixels.Width(), e.width) << e.targetWidth;
        EXPECT_TRUE(Near(At(result.pixels, e.width / 2, result.pixels.Height() / 2), e.colour))
            << e.targetWidth;
    }
}

// ---------------------------------------------------------------- EXIF

struct ExifCase {
    const char* name;
    HeifCodec codec;
    bool withHeader;  // the block handed to libheif starts "Exif\0\0"
    bool bigEndian;
    long long offset;  // written over the item's distance to the TIFF header; -1 leaves libheif's
    bool kept;
};

class HeifExif : public ::testing::TestWithParam<ExifCase> {};

TEST_P(HeifExif, ComesBackAsAnApp1Payload) {
    const ExifCase& c = GetParam();
    const std::string tiff = ExifTiff(3, c.bigEndian);
    HeifOptions options;
    options.codec = c.codec;
    options.exif = c.withHeader ? std::string("Exif\0\0", 6) + tiff : tiff;
    std::string bytes = MakeHeif(Solid(kWidth, kHeight, kBlue), options);
    if (c.offset >= 0) {
        const std::size_t item = bytes.find(options.exif);
        ASSERT_NE(item, std::string::npos);
        ASSERT_GE(item, 4u);
        for (int i = 0; i < 4; ++i) bytes[item - 4 + i] = static_cast<char>(c.offset >> (24 - 8 * i));
    }
    const DecodedPicture result = Decode(bytes);
    EXPECT_EQ(result.exif, c.kept ? std::string("Exif\0\0", 6) + tiff : std::string());
    EXPECT_TRUE(Near(At(result.pixels, kWidth / 2, kHeight / 2), kBlue));
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, HeifExif,
    ::testing::Values(ExifCase{"HeicTiffOnly", HeifCodec::Hevc, false, false, -1, true},
                      ExifCase{"HeicWithHeader", HeifCodec::Hevc, true, false, -1, true},
                      ExifCase{"HeicBigEndian", HeifCodec::Hevc, false, true, -1, true},
                      ExifCase{"AvifWithHeader", HeifCodec::Av1, true, true, -1, true},
                      ExifCase{"HeaderLeftOutOfDistance", HeifCodec::Hevc, true, false, 0, true},
                      ExifCase{"DistanceBeyondBlock", HeifCodec::Hevc, false, false, 0x7FFFFFF0, false},
                      ExifCase{"DistanceMissesHeader", HeifCodec::Hevc, false, false, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- damage and limits

const std::string& SampleHeic() {
    static const std::string bytes = HeifOf(PhotoLike(kWidth, kHeight), HeifCodec::Hevc);
    return bytes;
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    for (auto at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
    return bytes;
}

struct DamageCase {
    const char* name;
    std::function<std::string(const std::string&)> damage;
    int code;
};

class HeifDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(HeifDamage, FailsWithTheSourceNameFirst) {
    const DamageCase& c = GetParam();
    const std::string bytes = c.damage(SampleHeic());
    try {
        Decode(bytes);
        FAIL() << "decoded damaged data";
    } catch (const ImagingFault& fault) {
        EXPECT_EQ(fault.Code(), c.code) << fault.what();
        const std::string text = fault.what();
        EXPECT_EQ(text.rfind(std::string(kSource) + ": ", 0), 0u) << text;
        EXPECT_GT(text.size(), std::string(kSource).size() + 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HeifDamage,
    ::testing::Values(
        DamageCase{"Empty", [](const std::string&) { return std::string(); }, kLeadCorruptFile},
        DamageCase{"HeaderOnly", [](const std::string& b) { return b.substr(0, 32); }, kLeadCorruptFile},
        DamageCase{"TruncatedHalf", [](const std::string& b) { return b.substr(0, b.size() / 2); },
                   kLeadCorruptFile},
        DamageCase{"TruncatedLastByte", [](const std::string& b) { return b.substr(0, b.size() - 1); },
                   kLeadCorruptFile},
        DamageCase{"NotHeif", [](const std::string& b) { return std::string(b.size(), '\x5A'); },
                   kLeadCorruptFile},
        DamageCase{"UnknownCodec", [](const std::string& b) { return Replaced(b, "hvc1", "vvc1"); },
                   kLeadUnsupportedFormat}),
    [](const auto& info) { return std::string(info.param.name); });

// Every byte of the boxes before the coded picture spoilt in turn: a fault or a picture, never a crash.
TEST(HeifHostile, SpoiltBoxesFailCleanly) {
    const std::string& bytes = SampleHeic();
    const std::size_t mdat = bytes.find("mdat");
    ASSERT_NE(mdat, std::string::npos);
    int faults = 0;
    for (std::size_t at = 0; at < mdat; ++at) {
        std::string spoilt = bytes;
        spoilt[at] = static_cast<char>(spoilt[at] ^ 0xFF);
        int width = 0, height = 0;
        const bool sized = ReadHeifSize(spoilt.data(), spoilt.size(), width, height);
        try {
            const DecodedPicture result = Decode(spoilt);
            // What decodes has a size the boxes alone give too.
            EXPECT_TRUE(sized) << at;
            EXPECT_EQ(width, result.fullWidth) << at;
            EXPECT_EQ(height, result.fullHeight) << at;
            EXPECT_GT(result.pixels.Width(), 0) << at;
        } catch (const ImagingFault& fault) {
            ++faults;
            EXPECT_EQ(std::string(fault.what()).rfind(std::string(kSource) + ": ", 0), 0u) << fault.what();
        }
    }
    EXPECT_GT(faults, 0);
}

struct LimitCase {
    const char* name;
    std::uint64_t maxPixels;
    bool refused;
};

class HeifLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(HeifLimits, RefusesPicturesAboveTheBound) {
    const LimitCase& c = GetParam();
    DecodeRequest request;
    request.limits.maxPixels = c.maxPixels;
    if (!c.refused) {
        EXPECT_EQ(Decode(SampleHeic(), request).pixels.Width(), kWidth);
        return;
    }
    try {
        Decode(SampleHeic(), request);
        FAIL() << "decoded beyond the limit";
    } catch (const ImagingFault& fault) {
        EXPECT_EQ(fault.Code(), kLeadPictureTooLarge) << fault.what();
        EXPECT_EQ(std::string(fault.what()).rfind(std::string(kSource) + ": ", 0), 0u) << fault.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Bounds, HeifLimits,
                         ::testing::Values(LimitCase{"OnePixelTooMany", kPixels - 1, true},
                                           LimitCase{"SideBeyondBound", 40, true},
                                           LimitCase{"Exactly", kPixels, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HeifSize, UnreadableHeaderGivesFalse) {
    const std::string& bytes = SampleHeic();
    for (const std::string& broken :
         {bytes.substr(0, 16), std::string(bytes.size(), '\0'), std::string("ftyp")}) {
        int width = 0, height = 0;
        EXPECT_FALSE(ReadHeifSize(broken.data(), broken.size(), width, height)) << broken.size();
    }
    int width = 0, height = 0;
    EXPECT_FALSE(ReadHeifSize(nullptr, 0, width, height));
}

// ---------------------------------------------------------------- threads

TEST(HeifThreads, ParallelDecodesAgree) {
    const std::string bytes = HeifOf(PhotoLike(kWidth, kHeight), HeifCodec::Hevc, 10);
    const DecodedPicture alone = Decode(bytes);
    std::vector<DecodedPicture> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results) {
        threads.emplace_back([&bytes, &result] {
            DecodeRequest request;
            request.decoderThreads = 2;
            result = Decode(bytes, request);
        });
    }
    for (auto& thread : threads) thread.join();
    for (const auto& result : results) {
        ASSERT_EQ(result.pixels.Width(), kWidth);
        EXPECT_EQ(MeanDifference(result.pixels, alone.pixels), 0.0);
    }
}

}  // namespace
}  // namespace wexbo
