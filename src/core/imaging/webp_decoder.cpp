#include "imaging/webp_decoder.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "imaging/decoder_faults.h"
#include "imaging/exif_orientation.h"
#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"
#include "imaging/sample_conversion.h"

namespace wexbo {

namespace {

[[noreturn]] void FailWithStatus(VP8StatusCode status, const std::string& sourceName) {
    switch (status) {
        case VP8_STATUS_OUT_OF_MEMORY:
            throw std::bad_alloc();
        case VP8_STATUS_UNSUPPORTED_FEATURE:
            FailDecode(kLeadUnsupportedFormat, sourceName, "a WebP variant the program does not read");
        case VP8_STATUS_NOT_ENOUGH_DATA:
            FailDecode(kLeadCorruptFile, sourceName, "the file ends too early");
        default:
            FailDecode(kLeadCorruptFile, sourceName, "damaged picture data");
    }
}

struct DemuxDelete {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

struct FrameGuard {
    WebPIterator frame{};
    ~FrameGuard() { WebPDemuxReleaseIterator(&frame); }
};

// The bytes of a container chunk ("EXIF", "ICCP"); empty when there is none.
std::string ChunkOf(const WebPDemuxer* demux, const char* fourcc) {
    WebPChunkIterator chunk{};
    std::string bytes;
    if (WebPDemuxGetChunk(demux, fourcc, 1, &chunk))
        bytes.assign(reinterpret_cast<const char*>(chunk.chunk.bytes), chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return bytes;
}

// Writers differ on whether the EXIF chunk starts with the "Exif\0\0" of a JPEG segment; the program
// passes the block on in the JPEG form.
std::string AsApp1(std::string exif) {
    static const std::string kHeader("Exif\0\0", 6);
    if (exif.empty() || exif.compare(0, kHeader.size(), kHeader) == 0) return exif;
    return kHeader + exif;
}

// The smallest size at or above the target on both sides in the picture's proportions; the full
// size when the target needs that much. A target side of 0 follows the other.
std::pair<int, int> DecodeSize(int width, int height, int targetWidth, int targetHeight) {
    if (targetWidth <= 0 && targetHeight <= 0) return {width, height};
    const std::int64_t w = width, h = height, tw = targetWidth, th = targetHeight;
    std::int64_t outWidth, outHeight;
    if (th <= 0 || (tw > 0 && tw * h >= th * w)) {
        outWidth = tw;
        outHeight = (tw * h + w - 1) / w;
    } else {
        outHeight = th;
        outWidth = (th * w + h - 1) / h;
    }
    if (outWidth >= w || outHeight >= h) return {width, height};
    return {static_cast<int>(outWidth), static_cast<int>(outHeight)};
}

// Decodes one frame's bitstream to RGB at the given size, alpha laid onto the background.
RgbBuffer DecodeFrame(const WebPData& bitstream, int width, int height, bool scaled,
                      const DecodeRequest& request, const std::string& sourceName) {
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        FailDecode(kLeadUnsupportedFormat, sourceName, "the WebP library does not match the program");
    const VP8StatusCode status = WebPGetFeatures(bitstream.bytes, bitstream.size, &config.input);
    if (status != VP8_STATUS_OK) FailWithStatus(status, sourceName);
    if (scaled) {
        config.options.use_scaling = 1;
        config.options.scaled_width = width;
        config.options.scaled_height = height;
    } else if (config.input.width != width || config.input.height != height) {
        FailDecode(kLeadCorruptFile, sourceName, "the frame's size does not match the container");
    }
    config.options.use_threads = request.decoderThreads > 1;

    RgbBuffer pixels(width, height);
    std::vector<std::uint8_t> rgba;
    const bool alpha = config.input.has_alpha != 0;
    config.output.is_external_memory = 1;
    if (alpha) {
        rgba.resize(static_cast<std::size_t>(width) * height * 4);
        config.output.colorspace = MODE_RGBA;
        config.output.u.RGBA.rgba = rgba.data();
        config.output.u.RGBA.stride = width * 4;
        config.output.u.RGBA.size = rgba.size();
    } else {
        config.output.colorspace = MODE_RGB;
        config.output.u.RGBA.rgba = pixels.Data();
        config.output.u.RGBA.stride = static_cast<int>(pixels.Stride());
        config.output.u.RGBA.size = pixels.Stride() * static_cast<std::size_t>(height);
    }
    const VP8StatusCode decoded = WebPDecode(bitstream.bytes, bitstream.size, &config);
    WebPFreeDecBuffer(&config.output);
    if (decoded != VP8_STATUS_OK) FailWithStatus(decoded, sourceName);
    if (alpha) {
        for (int y = 0; y < height; ++y)
            CompositeRgbaRow(rgba.data() + static_cast<std::size_t>(y) * width * 4, width, request.background,
                             pixels.Row(y));
    }
    return pixels;
}

// An animation shows its first frame, which may cover less than the whole canvas.
RgbBuffer FirstFrameOnCanvas(const WebPIterator& frame, int canvasWidth, int canvasHeight,
                             const DecodeRequest& request, const std::string& sourceName) {
    RgbBuffer shown = DecodeFrame(frame.fragment, frame.width, frame.height, false, request, sourceName);
    if (frame.x_offset == 0 && frame.y_offset == 0 && frame.width == canvasWidth &&
        frame.height == canvasHeight)
        return shown;
    RgbBuffer canvas(canvasWidth, canvasHeight);
    for (int y = 0; y < canvasHeight; ++y) {
        std::uint8_t* row = canvas.Row(y);
        for (int x = 0; x < canvasWidth; ++x) {
            row[3 * x] = request.background.r;
            row[3 * x + 1] = request.background.g;
            row[3 * x + 2] = request.background.b;
        }
    }
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(canvas.Row(frame.y_offset + y) + 3 * frame.x_offset, shown.Row(y),
                    static_cast<std::size_t>(frame.width) * 3);
    return canvas;
}

DecodedPicture Decode(const void* data, std::size_t size, const DecodeRequest& request,
                      const std::string& sourceName) {
    const WebPData file{static_cast<const std::uint8_t*>(data), size};
    WebPDemuxState state = WEBP_DEMUX_PARSE_ERROR;
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demux(WebPDemuxPartial(&file, &state));
    if (state == WEBP_DEMUX_PARSE_ERROR) FailDecode(kLeadCorruptFile, sourceName, "damaged WebP file");
    if (!demux || state != WEBP_DEMUX_DONE)
        FailDecode(kLeadCorruptFile, sourceName, "the file ends too early");

    const int width = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH));
    const int height = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT));
    if (width < 1 || height < 1) FailDecode(kLeadCorruptFile, sourceName, "no picture size");
    // Lossless pictures are held whole inside libwebp even when scaled: the bound is on the full size.
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > request.limits.maxPixels)
        FailDecode(kLeadPictureTooLarge, sourceName, "larger than the program handles");

    DecodedPicture result;
    result.exif = AsApp1(ChunkOf(demux.get(), "EXIF"));
    result.iccProfile = ChunkOf(demux.get(), "ICCP");
    if (!IsRgbIccProfile(result.iccProfile.data(), result.iccProfile.size())) result.iccProfile.clear();
    const ExifOrientation orientation =
        ReadExifOrientation(reinterpret_cast<const unsigned char*>(result.exif.data()), result.exif.size());

    FrameGuard guard;
    if (!WebPDemuxGetFrame(demux.get(), 1, &guard.frame))
        FailDecode(kLeadCorruptFile, sourceName, "no picture in the file");
    const bool animated = (WebPDemuxGetI(demux.get(), WEBP_FF_FORMAT_FLAGS) & ANIMATION_FLAG) != 0;
    RgbBuffer stored;
    if (animated) {
        stored = FirstFrameOnCanvas(guard.frame, width, height, request, sourceName);
    } else {
        int targetWidth = request.targetWidth, targetHeight = request.targetHeight;
        if (SwapsSides(orientation)) std::swap(targetWidth, targetHeight);
        const auto [decodeWidth, decodeHeight] = DecodeSize(width, height, targetWidth, targetHeight);
        const bool scaled = decodeWidth != width || decodeHeight != height;
        stored = DecodeFrame(guard.frame.fragment, decodeWidth, decodeHeight, scaled, request, sourceName);
    }
    result.pixels = ApplyOrientation(std::move(stored), orientation);
    result.fullWidth = SwapsSides(orientation) ? height : width;
    result.fullHeight = SwapsSides(orientation) ? width : height;
    return result;
}

}  // namespace

DecodedPicture DecodeWebpMemory(const void* data, std::size_t size, const DecodeRequest& request,
                                const std::string& sourceName) {
    if (!data || size == 0) FailDecode(kLeadCorruptFile, sourceName, "empty file");
    return WithMemoryFaults(sourceName, [&] { return Decode(data, size, request, sourceName); });
}

bool ReadWebpSize(const void* data, std::size_t size, int& width, int& height) {
    int w = 0, h = 0;
    if (!data || !WebPGetInfo(static_cast<const std::uint8_t*>(data), size, &w, &h) || w < 1 || h < 1)
        return false;
    width = w;
    height = h;
    return true;
}

}  // namespace wexbo
