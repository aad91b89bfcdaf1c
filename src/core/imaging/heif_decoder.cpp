#include "imaging/heif_decoder.h"

#include <lcms2.h>
#include <libheif/heif.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "imaging/decoder_faults.h"
#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"
#include "imaging/sample_conversion.h"

namespace wexbo {

namespace {

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct DecodingOptionsFree {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
struct NclxFree {
    void operator()(heif_color_profile_nclx* nclx) const { heif_nclx_color_profile_free(nclx); }
};
struct ProfileClose {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct CurveFree {
    void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};
struct MluFree {
    void operator()(cmsMLU* mlu) const { cmsMLUfree(mlu); }
};

using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;
using Image = std::unique_ptr<heif_image, ImageRelease>;

// libheif's default bound on a side, kept where the pixel limit alone would allow longer sides.
constexpr int kLargestSide = 32768;

// Loads libheif's codecs once for the whole program; they stay until it ends.
void StartLibheif() {
    static const bool started = [] {
        heif_init(nullptr);
        return true;
    }();
    (void)started;
}

int CodeFor(const heif_error& error) {
    switch (error.code) {
        case heif_error_Unsupported_feature:
        case heif_error_Unsupported_filetype:
            return kLeadUnsupportedFormat;
        case heif_error_Memory_allocation_error:
            // libheif reports its size bound as a memory error.
            return error.subcode == heif_suberror_Security_limit_exceeded ? kLeadPictureTooLarge
                                                                          : kLeadNoMemory;
        default:
            return kLeadCorruptFile;
    }
}

// The message lives in the context or handle that gave the error: it is copied before they go.
void Check(const heif_error& error, const std::string& sourceName) {
    if (error.code == heif_error_Ok) return;
    std::string detail = error.message && *error.message ? error.message : LeadErrorText(CodeFor(error));
    while (!detail.empty() && (detail.back() == '\n' || detail.back() == ' ')) detail.pop_back();
    throw ImagingFault(CodeFor(error), sourceName + ": " + detail);
}

Context OpenContext(const void* data, std::size_t size, int sideLimit, int threads,
                    const std::string& sourceName) {
    StartLibheif();
    Context context(heif_context_alloc());
    if (!context) throw std::bad_alloc();
    heif_context_set_maximum_image_size_limit(context.get(), sideLimit);
    heif_context_set_max_decoding_threads(context.get(), std::max(0, threads));
    Check(heif_context_read_from_memory_without_copy(context.get(), data, size, nullptr), sourceName);
    return context;
}

Handle PrimaryOf(heif_context* context, const std::string& sourceName) {
    heif_image_handle* handle = nullptr;
    const heif_error error = heif_context_get_primary_image_handle(context, &handle);
    Handle owned(handle);
    Check(error, sourceName);
    if (!owned) FailDecode(kLeadCorruptFile, sourceName, "no primary picture");
    return owned;
}

// The target's sides, the missing one following the picture's proportions (rounded up).
void CompleteTarget(int width, int height, int& targetWidth, int& targetHeight) {
    if (targetWidth <= 0)
        targetWidth = static_cast<int>(std::ceil(static_cast<double>(targetHeight) * width / height));
    if (targetHeight <= 0)
        targetHeight = static_cast<int>(std::ceil(static_cast<double>(targetWidth) * height / width));
}

// The smallest embedded thumbnail that still covers the target on both sides once upright;
// empty when none does. libheif gives a handle's size with its turns applied.
Handle ThumbnailFor(const heif_image_handle* primary, int targetWidth, int targetHeight,
                    std::uint64_t maxPixels) {
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0) return {};
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    std::uint64_t bestPixels = 0;
    for (int i = 0; i < listed; ++i) {
        heif_image_handle* raw = nullptr;
        const heif_error error =
            heif_image_handle_get_thumbnail(primary, ids[static_cast<std::size_t>(i)], &raw);
        Handle thumbnail(raw);
        if (error.code != heif_error_Ok || !thumbnail) continue;
        const int w = heif_image_handle_get_width(thumbnail.get());
        const int h = heif_image_handle_get_height(thumbnail.get());
        if (w < targetWidth || h < targetHeight) continue;
        const std::uint64_t pixels = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
        if (pixels > maxPixels || (best && pixels >= bestPixels)) continue;
        best = std::move(thumbnail);
        bestPixels = pixels;
    }
    return best;
}

// Read byte by byte: the samples are little-endian whatever the machine.
inline std::uint32_t Sample16(const std::uint8_t* p) {
    return p[0] | (static_cast<std::uint32_t>(p[1]) << 8);
}

// A colour already multiplied by its alpha: the background adds only its uncovered share.
inline std::uint8_t CompositePremultiplied(std::uint8_t channel, std::uint8_t alpha,
                                           std::uint8_t background) {
    const unsigned mixed = channel + (background * (255u - alpha) + 127) / 255;
    return static_cast<std::uint8_t>(std::min(mixed, 255u));
}

RgbBuffer DecodeToRgb(const heif_image_handle* handle, Rgb background, const std::string& sourceName) {
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    const bool premultiplied = alpha && heif_image_handle_is_premultiplied_alpha(handle) != 0;
    const bool deep = heif_image_handle_get_luma_bits_per_pixel(handle) > 8;
    const heif_chroma chroma =
        deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
             : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);

    std::unique_ptr<heif_decoding_options, DecodingOptionsFree> options(heif_decoding_options_alloc());
    if (!options) throw std::bad_alloc();
    options->ignore_transformations = 0;  // the container's turns and mirrors make the picture upright

    heif_image* raw = nullptr;
    const heif_error error = heif_decode_image(handle, &raw, heif_colorspace_RGB, chroma, options.get());
    Image image(raw);
    Check(error, sourceName);
    if (!image) FailDecode(kLeadCorruptFile, sourceName, "no picture decoded");

    int stride = 0;
    const std::uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    const int bits = deep ? heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) : 8;
    if (!plane || width < 1 || height < 1 || stride < 1)
        FailDecode(kLeadCorruptFile, sourceName, "no picture decoded");
    if (bits < 1 || bits > 16)
        FailDecode(kLeadUnsupportedFormat, sourceName, "samples of " + std::to_string(bits) + " bits");
    const int channels = alpha ? 4 : 3;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels * (deep ? 2 : 1);
    if (static_cast<std::size_t>(stride) < rowBytes)
        FailDecode(kLeadCorruptFile, sourceName, "picture rows too short");

    RgbBuffer pixels(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = plane + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y);
        std::uint8_t* out = pixels.Row(y);
        if (!deep && !alpha) {
            std::memcpy(out, in, rowBytes);
        } else if (!deep && !premultiplied) {
            CompositeRgbaRow(in, width, background, out);
        } else {
            const int step = deep ? 2 : 1;
            for (int x = 0; x < width; ++x, in += channels * step, out += 3) {
                std::uint8_t c[4];
                for (int i = 0; i < channels; ++i)
                    c[i] = deep ? To8Bits(Sample16(in + i * step), bits) : in[i];
                if (!alpha) {
                    out[0] = c[0], out[1] = c[1], out[2] = c[2];
                } else if (premultiplied) {
                    out[0] = CompositePremultiplied(c[0], c[3], background.r);
                    out[1] = CompositePremultiplied(c[1], c[3], background.g);
                    out[2] = CompositePremultiplied(c[2], c[3], background.b);
                } else {
                    out[0] = Composite(c[0], c[3], background.r);
                    out[1] = Composite(c[1], c[3], background.g);
                    out[2] = Composite(c[2], c[3], background.b);
                }
            }
        }
    }
    return pixels;
}

// The curve that turns the file's coded values into linear light, as an ICC profile holds it.
std::unique_ptr<cmsToneCurve, CurveFree> CurveFor(heif_transfer_characteristics transfer) {
    switch (transfer) {
        case heif_transfer_characteristic_ITU_R_BT_709_5:
        case heif_transfer_characteristic_ITU_R_BT_601_6:
        case heif_transfer_characteristic_ITU_R_BT_2020_2_10bit:
        case heif_transfer_characteristic_ITU_R_BT_2020_2_12bit: {
            const cmsFloat64Number bt709[5] = {1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081};
            return std::unique_ptr<cmsToneCurve, CurveFree>(cmsBuildParametricToneCurve(nullptr, 4, bt709));
        }
        case heif_transfer_characteristic_linear:
            return std::unique_ptr<cmsToneCurve, CurveFree>(cmsBuildGamma(nullptr, 1.0));
        case heif_transfer_characteristic_ITU_R_BT_470_6_System_M:
            return std::unique_ptr<cmsToneCurve, CurveFree>(cmsBuildGamma(nullptr, 2.2));
        case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G:
            return std::unique_ptr<cmsToneCurve, CurveFree>(cmsBuildGamma(nullptr, 2.8));
        default: {
            // sRGB, and the best guess for curves an ICC profile cannot express (PQ, HLG).
            const cmsFloat64Number srgb[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
            return std::unique_ptr<cmsToneCurve, CurveFree>(cmsBuildParametricToneCurve(nullptr, 4, srgb));
        }
    }
}

bool ValidChromaticity(float x, float y) { return x > 0 && x < 1 && y > 0 && y < 1; }

// An ICC profile saying what the nclx colour description says; empty for sRGB, for a
// description that names no primaries and for one lcms2 cannot turn into a profile.
std::string ProfileFromNclx(const heif_color_profile_nclx& nclx) {
    const auto primaries = nclx.color_primaries;
    const auto transfer = nclx.transfer_characteristics;
    if (primaries == heif_color_primaries_unspecified) return {};
    if (primaries == heif_color_primaries_ITU_R_BT_709_5 &&
        (transfer == heif_transfer_characteristic_IEC_61966_2_1 ||
         transfer == heif_transfer_characteristic_unspecified))
        return {};
    if (!ValidChromaticity(nclx.color_primary_red_x, nclx.color_primary_red_y) ||
        !ValidChromaticity(nclx.color_primary_green_x, nclx.color_primary_green_y) ||
        !ValidChromaticity(nclx.color_primary_blue_x, nclx.color_primary_blue_y) ||
        !ValidChromaticity(nclx.color_primary_white_x, nclx.color_primary_white_y))
        return {};

    const cmsCIExyY white{nclx.color_primary_white_x, nclx.color_primary_white_y, 1.0};
    const cmsCIExyYTRIPLE colorants{{nclx.color_primary_red_x, nclx.color_primary_red_y, 1.0},
                                    {nclx.color_primary_green_x, nclx.color_primary_green_y, 1.0},
                                    {nclx.color_primary_blue_x, nclx.color_primary_blue_y, 1.0}};
    const auto curve = CurveFor(transfer);
    if (!curve) return {};
    cmsToneCurve* curves[3] = {curve.get(), curve.get(), curve.get()};
    std::unique_ptr<void, ProfileClose> profile(cmsCreateRGBProfile(&white, &colorants, curves));
    if (!profile) return {};

    // Phones write Display P3 this way; viewers list the profile by this name.
    const bool displayP3 = primaries == heif_color_primaries_SMPTE_EG_432_1 &&
                           (transfer == heif_transfer_characteristic_IEC_61966_2_1 ||
                            transfer == heif_transfer_characteristic_unspecified);
    std::unique_ptr<cmsMLU, MluFree> description(cmsMLUalloc(nullptr, 1));
    if (!description ||
        !cmsMLUsetASCII(description.get(), "en", "US",
                        displayP3 ? "Display P3" : "Colour space of the picture") ||
        !cmsWriteTag(profile.get(), cmsSigProfileDescriptionTag, description.get()))
        return {};

    cmsUInt32Number size = 0;
    if (!cmsSaveProfileToMem(profile.get(), nullptr, &size) || size == 0) return {};
    std::string bytes(size, '\0');
    if (!cmsSaveProfileToMem(profile.get(), bytes.data(), &size)) return {};
    bytes.resize(size);
    return bytes;
}

// An ICC profile in the file is kept as it is; an nclx description becomes one.
std::string ProfileOf(const heif_image_handle* handle) {
    const std::size_t size = heif_image_handle_get_raw_color_profile_size(handle);
    if (size > 0) {
        std::string icc(size, '\0');
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok &&
            IsRgbIccProfile(icc.data(), icc.size()))
            return icc;
    }
    heif_color_profile_nclx* raw = nullptr;
    const heif_error error = heif_image_handle_get_nclx_color_profile(handle, &raw);
    std::unique_ptr<heif_color_profile_nclx, NclxFree> nclx(raw);
    if (error.code != heif_error_Ok || !nclx) return {};
    return ProfileFromNclx(*nclx);
}

bool StartsTiff(const std::string& bytes, std::size_t at) {
    return bytes.size() >= at + 4 && (bytes.compare(at, 4, std::string("II*\0", 4)) == 0 ||
                                      bytes.compare(at, 4, std::string("MM\0*", 4)) == 0);
}

// The EXIF item begins with the big-endian distance from its fifth byte to the TIFF header;
// what follows the header goes out as in a JPEG's APP1 segment.
std::string ExifOf(const heif_image_handle* handle) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1) return {};
    const std::size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size < 8) return {};
    std::string block(size, '\0');
    if (heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok) return {};
    const auto* b = reinterpret_cast<const unsigned char*>(block.data());
    const std::uint64_t offset = (std::uint64_t{b[0]} << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
    std::size_t start = 4;
    if (offset <= size - 4 && StartsTiff(block, 4 + offset))
        start += offset;
    else if (StartsTiff(block, 4 + 6) && block.compare(4, 6, std::string("Exif\0\0", 6)) == 0)
        start += 6;  // a writer that left the "Exif" header out of the distance
    else
        return {};
    return std::string("Exif\0\0", 6) + block.substr(start);
}

DecodedPicture Decode(const void* data, std::size_t size, const DecodeRequest& request,
                      const std::string& sourceName) {
    const DecodeLimits& limits = request.limits;
    const int sideLimit = static_cast<int>(
        std::clamp<std::uint64_t>(limits.maxPixels, 1, static_cast<std::uint64_t>(kLargestSide)));
    const Context context = OpenContext(data, size, sideLimit, request.decoderThreads, sourceName);
    const Handle primary = PrimaryOf(context.get(), sourceName);

    DecodedPicture result;
    // libheif gives the size with the container's turns and cropping applied.
    result.fullWidth = heif_image_handle_get_width(primary.get());
    result.fullHeight = heif_image_handle_get_height(primary.get());
    if (result.fullWidth < 1 || result.fullHeight < 1)
        FailDecode(kLeadCorruptFile, sourceName, "no picture size");
    if (static_cast<std::uint64_t>(result.fullWidth) * static_cast<std::uint64_t>(result.fullHeight) >
        limits.maxPixels)
        FailDecode(kLeadPictureTooLarge, sourceName, "larger than the program handles");

    // libheif cannot decode at a smaller scale; a large enough thumbnail saves the full decode.
    if (request.targetWidth > 0 || request.targetHeight > 0) {
        int targetWidth = request.targetWidth, targetHeight = request.targetHeight;
        CompleteTarget(result.fullWidth, result.fullHeight, targetWidth, targetHeight);
        if (const Handle thumbnail =
                ThumbnailFor(primary.get(), targetWidth, targetHeight, limits.maxPixels)) {
            try {
                result.pixels = DecodeToRgb(thumbnail.get(), request.background, sourceName);
            } catch (const ImagingFault&) {
                // A damaged thumbnail: the picture itself may still be whole.
            }
        }
    }
    if (result.pixels.Empty()) result.pixels = DecodeToRgb(primary.get(), request.background, sourceName);
    result.iccProfile = ProfileOf(primary.get());
    result.exif = ExifOf(primary.get());
    return result;
}

}  // namespace

DecodedPicture DecodeHeifMemory(const void* data, std::size_t size, const DecodeRequest& request,
                                const std::string& sourceName) {
    if (!data || size == 0) FailDecode(kLeadCorruptFile, sourceName, "empty file");
    return WithMemoryFaults(sourceName, [&] { return Decode(data, size, request, sourceName); });
}

bool ReadHeifSize(const void* data, std::size_t size, int& width, int& height) {
    if (!data || size == 0) return false;
    try {
        const Context context = OpenContext(data, size, kLargestSide, 0, {});
        const Handle primary = PrimaryOf(context.get(), {});
        const int w = heif_image_handle_get_width(primary.get());
        const int h = heif_image_handle_get_height(primary.get());
        if (w < 1 || h < 1) return false;
        width = w;
        height = h;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace wexbo
