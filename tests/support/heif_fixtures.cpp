#include "heif_fixtures.h"

#include <lcms2.h>
#include <libheif/heif.h>

#include <memory>
#include <stdexcept>

namespace wexbo::test {

namespace {

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct EncoderRelease {
    void operator()(heif_encoder* encoder) const { heif_encoder_release(encoder); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct OptionsFree {
    void operator()(heif_encoding_options* options) const { heif_encoding_options_free(options); }
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

using Image = std::unique_ptr<heif_image, ImageRelease>;
using Profile = std::unique_ptr<void, ProfileClose>;
using Curve = std::unique_ptr<cmsToneCurve, CurveFree>;

void Ok(const heif_error& error, const char* step) {
    if (error.code != heif_error_Ok) throw std::runtime_error(std::string(step) + ": " + error.message);
}

void StartLibheif() {
    static const bool started = [] {
        heif_init(nullptr);
        return true;
    }();
    (void)started;
}

Image ToHeifImage(const RgbBuffer& picture, const std::vector<std::uint8_t>& alpha, int bitDepth) {
    const int width = picture.Width(), height = picture.Height();
    const bool hasAlpha = !alpha.empty();
    if (hasAlpha && alpha.size() != static_cast<std::size_t>(width) * height)
        throw std::invalid_argument("one alpha value per pixel");
    const bool deep = bitDepth > 8;
    const heif_chroma chroma =
        deep ? (hasAlpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
             : (hasAlpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    heif_image* raw = nullptr;
    Ok(heif_image_create(width, height, heif_colorspace_RGB, chroma, &raw), "heif_image_create");
    Image image(raw);
    Ok(heif_image_add_plane(image.get(), heif_channel_interleaved, width, height, bitDepth),
       "heif_image_add_plane");
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    const unsigned top = (1u << bitDepth) - 1;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = plane + static_cast<std::size_t>(stride) * y;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* rgb = picture.Row(y) + 3 * x;
            unsigned values[4] = {rgb[0], rgb[1], rgb[2],
                                  hasAlpha ? alpha[static_cast<std::size_t>(y) * width + x] : 0u};
            for (int c = 0; c < (hasAlpha ? 4 : 3); ++c) {
                if (deep) {
                    const unsigned v = (values[c] * top + 127) / 255;
                    *out++ = static_cast<std::uint8_t>(v & 0xFF);
                    *out++ = static_cast<std::uint8_t>(v >> 8);
                } else {
                    *out++ = static_cast<std::uint8_t>(values[c]);
                }
            }
        }
    }
    return image;
}

heif_error AppendBytes(heif_context*, const void* data, size_t size, void* userdata) {
    static_cast<std::string*>(userdata)->append(static_cast<const char*>(data), size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "Success"};
}

std::string SaveProfile(void* profile, const char* description) {
    std::unique_ptr<cmsMLU, MluFree> text(cmsMLUalloc(nullptr, 1));
    cmsMLUsetASCII(text.get(), "en", "US", description);
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, text.get());
    cmsUInt32Number size = 0;
    if (!cmsSaveProfileToMem(profile, nullptr, &size)) throw std::runtime_error("cmsSaveProfileToMem");
    std::string bytes(size, '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    return bytes;
}

Curve SrgbCurve() {
    const cmsFloat64Number srgb[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return Curve(cmsBuildParametricToneCurve(nullptr, 4, srgb));
}

}  // namespace

std::string MakeHeif(const RgbBuffer& picture, const HeifOptions& options) {
    StartLibheif();
    std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    const bool hevc = options.codec == HeifCodec::Hevc;
    heif_encoder* rawEncoder = nullptr;
    Ok(heif_context_get_encoder_for_format(context.get(), hevc ? heif_compression_HEVC : heif_compression_AV1,
                                           &rawEncoder),
       "encoder");
    std::unique_ptr<heif_encoder, EncoderRelease> encoder(rawEncoder);
    Ok(heif_encoder_set_lossy_quality(encoder.get(), 95), "quality");
    Ok(heif_encoder_set_parameter(encoder.get(), "chroma", "444"), "chroma");
    if (!hevc) Ok(heif_encoder_set_parameter(encoder.get(), "speed", "8"), "speed");

    Image image = ToHeifImage(picture, options.alpha, options.bitDepth);
    if (options.premultiplied) heif_image_set_premultiplied_alpha(image.get(), 1);
    if (!options.iccProfile.empty())
        Ok(heif_image_set_raw_color_profile(image.get(), "prof", options.iccProfile.data(),
                                            options.iccProfile.size()),
           "ICC profile");
    if (options.writeNclx) {
        std::unique_ptr<heif_color_profile_nclx, NclxFree> nclx(heif_nclx_color_profile_alloc());
        Ok(heif_nclx_color_profile_set_color_primaries(nclx.get(), options.nclx.primaries), "primaries");
        Ok(heif_nclx_color_profile_set_transfer_characteristics(nclx.get(), options.nclx.transfer),
           "transfer");
        Ok(heif_nclx_color_profile_set_matrix_coefficients(nclx.get(), options.nclx.matrix), "matrix");
        nclx->full_range_flag = 1;
        Ok(heif_image_set_nclx_color_profile(image.get(), nclx.get()), "nclx");
    }

    std::unique_ptr<heif_encoding_options, OptionsFree> encoding(heif_encoding_options_alloc());
    // libheif leaves the nclx box out by default, for old Apple systems.
    encoding->macOS_compatibility_workaround_no_nclx_profile = options.writeNclx ? 0 : 1;
    encoding->image_orientation = static_cast<heif_orientation>(options.orientation);

    heif_image_handle* rawHandle = nullptr;
    Ok(heif_context_encode_image(context.get(), image.get(), encoder.get(), encoding.get(), &rawHandle),
       "encode");
    std::unique_ptr<heif_image_handle, HandleRelease> handle(rawHandle);
    if (!options.exif.empty())
        Ok(heif_context_add_exif_metadata(context.get(), handle.get(), options.exif.data(),
                                          static_cast<int>(options.exif.size())),
           "EXIF");
    for (const auto& [picture, box] : options.thumbnails) {
        Image thumbnail = ToHeifImage(*picture, {}, 8);
        heif_image_handle* rawThumbnail = nullptr;
        Ok(heif_context_encode_thumbnail(context.get(), thumbnail.get(), handle.get(), encoder.get(),
                                         encoding.get(), box, &rawThumbnail),
           "thumbnail");
        if (!rawThumbnail) throw std::invalid_argument("the thumbnail picture fits the box already");
        heif_image_handle_release(rawThumbnail);
    }

    std::string bytes;
    heif_writer writer{1, AppendBytes};
    Ok(heif_context_write(context.get(), &writer, &bytes), "write");
    return bytes;
}

std::string DisplayP3Profile() {
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE p3{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const Curve curve = SrgbCurve();
    cmsToneCurve* curves[3] = {curve.get(), curve.get(), curve.get()};
    const Profile profile(cmsCreateRGBProfile(&d65, &p3, curves));
    return SaveProfile(profile.get(), "Display P3");
}

std::string ExifTiff(int orientation, bool bigEndian) {
    auto u16 = [bigEndian](int v) {
        return bigEndian ? std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}
                         : std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    };
    auto u32 = [&](int v) { return bigEndian ? u16(0) + u16(v) : u16(v) + u16(0); };
    std::string tiff = std::string(bigEndian ? "MM" : "II") + u16(42) + u32(8);
    tiff += u16(1);                                                     // one entry in IFD0
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0);  // Orientation, SHORT, 1 value
    tiff += u32(0);                                                     // no next IFD
    return tiff;
}

}  // namespace wexbo::test
