#include "imaging/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/decoder_faults.h"
#include "imaging/exif_orientation.h"
#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"
#include "imaging/sample_conversion.h"

namespace wexbo {

namespace {

// Ancillary chunks (profiles, EXIF, compressed text) may not make libpng allocate more than this;
// real ICC profiles stay far below.
constexpr png_alloc_size_t kMaxChunkMemory = 16 * 1024 * 1024;
constexpr png_uint_32 kMaxCachedChunks = 1000;

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Everything one decode touches, kept outside RunDecode's frame so that it survives libpng's jump
// back from an error.
struct DecodeJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop endInfo = nullptr;

    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    Rgb background{};
    DecodeLimits limits;

    RgbBuffer pixels;
    std::unique_ptr<std::uint8_t[]> rows;  // the transformed rows: one, or all of an interlaced file
    std::unique_ptr<png_bytep[]> rowPointers;
    int limitCode = 0;    // set when a bound of ours, not libpng, stops the decode
    char message[256]{};  // libpng's last error

    ~DecodeJob() {
        if (png) png_destroy_read_struct(&png, &info, &endInfo);
    }
};

void OnError(png_structp png, png_const_charp text) {
    auto* job = static_cast<DecodeJob*>(png_get_error_ptr(png));
    std::snprintf(job->message, sizeof job->message, "%s", text ? text : "damaged file");
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep out, std::size_t count) {
    auto* job = static_cast<DecodeJob*>(png_get_io_ptr(png));
    if (count > job->size - job->position) png_error(png, "the file ends too early");
    std::memcpy(out, job->data + job->position, count);
    job->position += count;
}

// One row as libpng gives it after the transforms (RGB or RGBA, 8 or 16 bits, 16-bit samples
// big-endian) as 8-bit RGB, alpha laid onto the background.
void ConvertRow(const std::uint8_t* in, int width, int channels, int depth, Rgb background,
                std::uint8_t* out) {
    if (depth == 8 && channels == 3) {
        std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
        return;
    }
    if (depth == 8) {
        CompositeRgbaRow(in, width, background, out);
        return;
    }
    const std::uint8_t bg[3] = {background.r, background.g, background.b};
    for (int x = 0; x < width; ++x, in += 2 * channels, out += 3) {
        const std::uint8_t alpha = channels == 4 ? To8Bits((in[6] << 8) | in[7], 16) : 255;
        for (int c = 0; c < 3; ++c) {
            const std::uint8_t value = To8Bits((in[2 * c] << 8) | in[2 * c + 1], 16);
            out[c] = alpha == 255 ? value : Composite(value, alpha, bg[c]);
        }
    }
}

// Runs libpng up to the last row. Returns false on failure, with `message` or limitCode telling
// why. No object with a destructor may live in this function's own frame: a libpng error jumps
// straight back to setjmp.
bool RunDecode(DecodeJob& job) {
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, OnError, OnWarning);
    if (!job.png) throw std::bad_alloc();
    if (setjmp(png_jmpbuf(job.png))) return false;
    job.info = png_create_info_struct(job.png);
    job.endInfo = png_create_info_struct(job.png);
    if (!job.info || !job.endInfo) throw std::bad_alloc();
    png_set_read_fn(job.png, &job, OnRead);

    // Any side the format allows (libpng's default stops at a million): the area is checked against
    // the request's bound after the header, before anything the size of the picture is allocated.
    png_set_user_limits(job.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_cache_max(job.png, kMaxCachedChunks);
    png_set_chunk_malloc_max(job.png, kMaxChunkMemory);
    // Damaged ancillary chunks cost only that chunk.
    png_set_benign_errors(job.png, 1);
    // Text is never shown; skipping it also skips inflating compressed text.
    static constexpr png_byte kIgnored[] = {'t', 'E', 'X', 't', 0, 'z', 'T', 'X', 't', 0,
                                            'i', 'T', 'X', 't', 0, 's', 'P', 'L', 'T', 0};
    png_set_keep_unknown_chunks(job.png, PNG_HANDLE_CHUNK_NEVER, kIgnored, 4);

    png_read_info(job.png, job.info);
    const png_uint_32 width = png_get_image_width(job.png, job.info);
    const png_uint_32 height = png_get_image_height(job.png, job.info);
    if (static_cast<std::uint64_t>(width) * height > job.limits.maxPixels) {
        job.limitCode = kLeadPictureTooLarge;
        return false;
    }

    const int colorType = png_get_color_type(job.png, job.info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(job.png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_expand_gray_1_2_4_to_8(job.png);
        png_set_gray_to_rgb(job.png);
    }
    if (png_get_valid(job.png, job.info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(job.png);
    const int passes = png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);

    const int channels = png_get_channels(job.png, job.info);
    const int depth = png_get_bit_depth(job.png, job.info);
    if ((channels != 3 && channels != 4) || (depth != 8 && depth != 16))
        png_error(job.png, "unexpected sample layout");
    const std::size_t rowBytes = png_get_rowbytes(job.png, job.info);
    job.pixels = RgbBuffer(static_cast<int>(width), static_cast<int>(height));

    if (passes > 1) {
        // Each pass adds pixels to every row: all rows must be at hand until the last pass.
        job.rows.reset(new std::uint8_t[rowBytes * height]);
        job.rowPointers.reset(new png_bytep[height]);
        for (png_uint_32 y = 0; y < height; ++y) job.rowPointers[y] = job.rows.get() + rowBytes * y;
        png_read_image(job.png, job.rowPointers.get());
        for (png_uint_32 y = 0; y < height; ++y)
            ConvertRow(job.rowPointers[y], static_cast<int>(width), channels, depth, job.background,
                       job.pixels.Row(static_cast<int>(y)));
    } else {
        job.rows.reset(new std::uint8_t[rowBytes]);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(job.png, job.rows.get(), nullptr);
            ConvertRow(job.rows.get(), static_cast<int>(width), channels, depth, job.background,
                       job.pixels.Row(static_cast<int>(y)));
        }
    }
    return true;
}

// Reads the chunks after the picture data, where an eXIf chunk may stand. The picture is complete:
// a damaged or missing end loses only what it would have held.
void ReadEnd(DecodeJob& job) {
    if (setjmp(png_jmpbuf(job.png))) return;
    png_read_end(job.png, job.endInfo);
}

// The eXIf chunk holds the TIFF data alone; the program passes EXIF on as a JPEG APP1 segment holds it.
std::string ExifOf(png_structp png, png_infop info) {
    png_uint_32 length = 0;
    png_bytep exif = nullptr;
    if (!png_get_eXIf_1(png, info, &length, &exif) || !exif || length == 0) return {};
    std::string block("Exif\0\0", 6);
    block.append(reinterpret_cast<const char*>(exif), length);
    return block;
}

// The file's profile where it is an RGB one (IsRgbIccProfile).
std::string RgbProfileOf(png_structp png, png_infop info) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (!png_get_iCCP(png, info, &name, &compression, &profile, &length) || !profile) return {};
    if (!IsRgbIccProfile(profile, length)) return {};
    return std::string(reinterpret_cast<const char*>(profile), length);
}

DecodedPicture Decode(DecodeJob& job, const std::string& sourceName) {
    if (!RunDecode(job)) {
        if (job.limitCode) FailDecode(job.limitCode, sourceName, "larger than the program handles");
        FailDecode(kLeadCorruptFile, sourceName, job.message[0] ? job.message : "damaged file");
    }
    ReadEnd(job);
    DecodedPicture result;
    result.iccProfile = RgbProfileOf(job.png, job.info);
    result.exif = ExifOf(job.png, job.info);
    if (result.exif.empty()) result.exif = ExifOf(job.png, job.endInfo);
    const ExifOrientation orientation =
        ReadExifOrientation(reinterpret_cast<const unsigned char*>(result.exif.data()), result.exif.size());
    result.pixels = ApplyOrientation(std::move(job.pixels), orientation);
    result.fullWidth = result.pixels.Width();
    result.fullHeight = result.pixels.Height();
    return result;
}

}  // namespace

DecodedPicture DecodePngMemory(const void* data, std::size_t size, const DecodeRequest& request,
                               const std::string& sourceName) {
    if (!data || size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
        FailDecode(kLeadCorruptFile, sourceName, "not a PNG file");
    return WithMemoryFaults(sourceName, [&] {
        DecodeJob job;
        job.data = static_cast<const std::uint8_t*>(data);
        job.size = size;
        job.background = request.background;
        job.limits = request.limits;
        return Decode(job, sourceName);
    });
}

bool ReadPngSize(const void* data, std::size_t size, int& width, int& height) {
    // The signature, then IHDR as the first chunk: length, type, width and height, big-endian.
    constexpr std::size_t kHeaderEnd = 8 + 4 + 4 + 8;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (!bytes || size < kHeaderEnd || std::memcmp(bytes, kSignature, sizeof kSignature) != 0 ||
        std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    auto read32 = [](const std::uint8_t* p) {
        return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
    };
    const std::uint32_t w = read32(bytes + 16), h = read32(bytes + 20);
    if (w == 0 || h == 0 || w > PNG_UINT_31_MAX || h > PNG_UINT_31_MAX) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace wexbo
