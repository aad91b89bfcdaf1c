#include "imaging/tiff_decoder.h"

#include <libexif/exif-data.h>
#include <tiffio.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "imaging/decoder_faults.h"
#include "imaging/exif_orientation.h"
#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"
#include "imaging/sample_conversion.h"

namespace wexbo {

namespace {

// No single buffer libtiff allocates (a strip, a tile, a tag's values) may pass this; the picture
// itself is bounded by request.limits before anything its size is allocated.
constexpr tmsize_t kMaxLibtiffAllocation = tmsize_t{1} << 30;
// Texts longer than this in a camera tag are damage, not a camera's name.
constexpr std::size_t kMaxTagText = 256;

// The file's bytes, read and mapped in place by libtiff.
struct MemoryFile {
    const std::uint8_t* data;
    toff_t size;
    toff_t position;
};

tmsize_t OnRead(thandle_t handle, void* buffer, tmsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (count <= 0 || file->position >= file->size) return 0;
    const toff_t n = std::min<toff_t>(static_cast<toff_t>(count), file->size - file->position);
    std::memcpy(buffer, file->data + file->position, n);
    file->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t OnWrite(thandle_t, void*, tmsize_t) { return 0; }

toff_t OnSeek(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    toff_t base = 0;
    if (whence == SEEK_CUR) base = file->position;
    if (whence == SEEK_END) base = file->size;
    if (offset > UINT64_MAX - base) return static_cast<toff_t>(-1);
    file->position = base + offset;
    return file->position;
}

int OnClose(thandle_t) { return 0; }

toff_t OnSize(thandle_t handle) { return static_cast<MemoryFile*>(handle)->size; }

int OnMap(thandle_t handle, void** base, toff_t* size) {
    auto* file = static_cast<MemoryFile*>(handle);
    // libtiff only reads through the mapping; it copies before it changes anything.
    *base = const_cast<std::uint8_t*>(file->data);
    *size = file->size;
    return 1;
}

void OnUnmap(thandle_t, void*, toff_t) {}

// libtiff's last error for one open file; warnings are dropped.
struct LibtiffLog {
    char lastError[256] = "";

    std::string Or(const char* otherwise) const { return lastError[0] ? lastError : otherwise; }
};

int OnError(TIFF*, void* user, const char*, const char* format, va_list args) {
    auto* log = static_cast<LibtiffLog*>(user);
    std::vsnprintf(log->lastError, sizeof log->lastError, format, args);
    return 1;  // handled: libtiff's process-wide handler would print it
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffClose {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffClose>;

TiffHandle Open(MemoryFile& file, LibtiffLog& log) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) throw std::bad_alloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &log);
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxLibtiffAllocation);
    TIFF* tiff = TIFFClientOpenExt("TIFF", "r", &file, OnRead, OnWrite, OnSeek, OnClose, OnSize, OnMap,
                                   OnUnmap, options);
    TIFFOpenOptionsFree(options);
    return TiffHandle(tiff);
}

// How the samples of a strip-organised picture with whole samples in one plane lie; the layouts
// ReadRows reads itself.
struct Layout {
    int samplesPerPixel = 1;
    int bits = 1;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    int alphaIndex = -1;  // the sample holding alpha, or -1
    bool associatedAlpha = false;
};

bool OwnLayout(TIFF* tiff, Layout& layout) {
    std::uint16_t samples = 1, bits = 1, format = SAMPLEFORMAT_UINT, planar = PLANARCONFIG_CONTIG;
    std::uint16_t photometric = 0, compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) return false;
    int colours = 0;
    switch (photometric) {
        case PHOTOMETRIC_MINISBLACK:
        case PHOTOMETRIC_MINISWHITE:
        case PHOTOMETRIC_PALETTE:
            colours = 1;
            break;
        case PHOTOMETRIC_RGB:
            colours = 3;
            break;
        default:
            return false;
    }
    const bool wholeBits = bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
    if (TIFFIsTiled(tiff) || format != SAMPLEFORMAT_UINT || !wholeBits || samples < colours ||
        (planar != PLANARCONFIG_CONTIG && samples > 1) || compression == COMPRESSION_OJPEG ||
        (photometric == PHOTOMETRIC_PALETTE && bits > 8))
        return false;
    layout.samplesPerPixel = samples;
    layout.bits = bits;
    layout.photometric = photometric;
    std::uint16_t extraCount = 0;
    std::uint16_t* extraTypes = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
    if (samples > colours && extraCount > 0 && extraTypes &&
        (extraTypes[0] == EXTRASAMPLE_ASSOCALPHA || extraTypes[0] == EXTRASAMPLE_UNASSALPHA)) {
        layout.alphaIndex = colours;
        layout.associatedAlpha = extraTypes[0] == EXTRASAMPLE_ASSOCALPHA;
    }
    return true;
}

// A colour premultiplied by its alpha, laid onto the background.
inline std::uint8_t OverBackground(std::uint8_t premultiplied, std::uint8_t alpha, std::uint8_t background) {
    const unsigned mixed = premultiplied * 255u + background * (255u - alpha);
    return static_cast<std::uint8_t>(std::min(255u, (mixed + 127) / 255));
}

// Samples of 1, 2, 4, 8 or 16 bits, packed from the high bit down, each as a number.
void UnpackRow(const std::uint8_t* in, int bits, std::size_t count, std::uint16_t* out) {
    if (bits == 16) {
        std::memcpy(out, in, count * 2);  // libtiff has put them in the machine's byte order
        return;
    }
    if (bits == 8) {
        std::copy(in, in + count, out);
        return;
    }
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t bit = i * static_cast<std::size_t>(bits);
        out[i] = static_cast<std::uint16_t>((in[bit >> 3] >> (8 - bits - (bit & 7))) & mask);
    }
}

// The colour map as 8-bit RGB. Some writers store 8-bit values in the 16-bit table; a table with
// no value above 255 is one of those.
std::vector<Rgb> PaletteOf(TIFF* tiff, int bits, const std::string& sourceName) {
    std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue)
        FailDecode(kLeadCorruptFile, sourceName, "a palette picture without its colour map");
    const std::size_t entries = std::size_t{1} << bits;
    bool eightBit = true;
    for (std::size_t i = 0; i < entries; ++i)
        eightBit = eightBit && red[i] < 256 && green[i] < 256 && blue[i] < 256;
    const int mapBits = eightBit ? 8 : 16;
    std::vector<Rgb> palette(entries);
    for (std::size_t i = 0; i < entries; ++i)
        palette[i] = {To8Bits(red[i], mapBits), To8Bits(green[i], mapBits), To8Bits(blue[i], mapBits)};
    return palette;
}

// Reads the rows with the exact reduction of To8Bits, for the layouts OwnLayout accepts.
RgbBuffer ReadRows(TIFF* tiff, const Layout& layout, int width, int height, Rgb background,
                   const LibtiffLog& log, const std::string& sourceName) {
    const std::size_t samplesPerRow = static_cast<std::size_t>(width) * layout.samplesPerPixel;
    const std::uint64_t rowBytes = (samplesPerRow * layout.bits + 7) / 8;
    if (TIFFScanlineSize64(tiff) != rowBytes)
        FailDecode(kLeadCorruptFile, sourceName, log.Or("unexpected row size"));
    std::vector<Rgb> palette;
    if (layout.photometric == PHOTOMETRIC_PALETTE) palette = PaletteOf(tiff, layout.bits, sourceName);

    RgbBuffer pixels(width, height);
    std::vector<std::uint8_t> raw(rowBytes);
    std::vector<std::uint16_t> samples(samplesPerRow);
    const int spp = layout.samplesPerPixel;
    const unsigned top = (1u << layout.bits) - 1;
    const std::uint8_t bg[3] = {background.r, background.g, background.b};
    for (int y = 0; y < height; ++y) {
        if (TIFFReadScanline(tiff, raw.data(), static_cast<std::uint32_t>(y), 0) < 0)
            FailDecode(kLeadCorruptFile, sourceName, log.Or("damaged picture data"));
        UnpackRow(raw.data(), layout.bits, samplesPerRow, samples.data());
        std::uint8_t* out = pixels.Row(y);
        const std::uint16_t* s = samples.data();
        for (int x = 0; x < width; ++x, s += spp, out += 3) {
            switch (layout.photometric) {
                case PHOTOMETRIC_RGB:
                    for (int c = 0; c < 3; ++c) out[c] = To8Bits(s[c], layout.bits);
                    break;
                case PHOTOMETRIC_PALETTE: {
                    const Rgb colour = palette[s[0]];  // every index fits the table of 2^bits entries
                    out[0] = colour.r, out[1] = colour.g, out[2] = colour.b;
                    break;
                }
                default: {
                    const unsigned grey = layout.photometric == PHOTOMETRIC_MINISWHITE ? top - s[0] : s[0];
                    out[0] = out[1] = out[2] = To8Bits(grey, layout.bits);
                }
            }
            if (layout.alphaIndex < 0) continue;
            const std::uint8_t alpha = To8Bits(s[layout.alphaIndex], layout.bits);
            if (alpha == 255) continue;
            for (int c = 0; c < 3; ++c)
                out[c] = layout.associatedAlpha ? OverBackground(out[c], alpha, bg[c])
                                                : Composite(out[c], alpha, bg[c]);
        }
    }
    return pixels;
}

// Every other kind (YCbCr, CMYK, CIE Lab, tiles, separate planes, …) through libtiff's RGBA
// reader, which gives 8 bits with premultiplied alpha.
RgbBuffer ReadThroughRgba(TIFF* tiff, int width, int height, Rgb background, const LibtiffLog& log,
                          const std::string& sourceName) {
    char message[1024] = "";
    if (!TIFFRGBAImageOK(tiff, message)) FailDecode(kLeadUnsupportedFormat, sourceName, message);
    TIFFRGBAImage image{};
    if (!TIFFRGBAImageBegin(&image, tiff, 1, message)) FailDecode(kLeadCorruptFile, sourceName, message);
    // The rows as stored: the Orientation tag is applied afterwards, with every turn, for both readers.
    image.orientation = ORIENTATION_TOPLEFT;
    image.req_orientation = ORIENTATION_TOPLEFT;
    std::unique_ptr<std::uint32_t[]> raster;
    try {
        raster.reset(new std::uint32_t[static_cast<std::size_t>(width) * height]);
    } catch (...) {
        TIFFRGBAImageEnd(&image);
        throw;
    }
    const int got = TIFFRGBAImageGet(&image, raster.get(), static_cast<std::uint32_t>(width),
                                     static_cast<std::uint32_t>(height));
    TIFFRGBAImageEnd(&image);
    if (!got) FailDecode(kLeadCorruptFile, sourceName, log.Or("damaged picture data"));

    RgbBuffer pixels(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* in = raster.get() + static_cast<std::size_t>(y) * width;
        std::uint8_t* out = pixels.Row(y);
        for (int x = 0; x < width; ++x, out += 3) {
            const std::uint32_t p = in[x];
            const auto alpha = static_cast<std::uint8_t>(TIFFGetA(p));
            out[0] = OverBackground(static_cast<std::uint8_t>(TIFFGetR(p)), alpha, background.r);
            out[1] = OverBackground(static_cast<std::uint8_t>(TIFFGetG(p)), alpha, background.g);
            out[2] = OverBackground(static_cast<std::uint8_t>(TIFFGetB(p)), alpha, background.b);
        }
    }
    return pixels;
}

std::string TagText(TIFF* tiff, std::uint32_t tag) {
    const char* text = nullptr;
    if (!TIFFGetField(tiff, tag, &text) || !text) return {};
    return std::string(text, strnlen(text, kMaxTagText));
}

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

void AddText(ExifData* exif, ExifIfd ifd, ExifTag tag, const std::string& text) {
    if (text.empty()) return;
    ExifMem* mem = exif_mem_new_default();
    ExifEntry* entry = mem ? exif_entry_new_mem(mem) : nullptr;
    void* data = entry ? exif_mem_alloc(mem, static_cast<ExifLong>(text.size() + 1)) : nullptr;
    if (data) {
        std::memcpy(data, text.c_str(), text.size() + 1);
        entry->data = static_cast<unsigned char*>(data);
        entry->size = static_cast<unsigned int>(text.size() + 1);
        entry->components = text.size() + 1;
        entry->format = EXIF_FORMAT_ASCII;
        entry->tag = tag;
        exif_content_add_entry(exif->ifd[ifd], entry);
    }
    if (entry) exif_entry_unref(entry);
    if (mem) exif_mem_unref(mem);
    if (!data) throw std::bad_alloc();
}

// TIFF files carry the camera and dates as tags of their own; album copies look for them in an
// EXIF block. Only these travel: the location stays behind.
std::string MakeExif(TIFF* tiff) {
    const std::string make = TagText(tiff, TIFFTAG_MAKE);
    const std::string model = TagText(tiff, TIFFTAG_MODEL);
    const std::string dateTime = TagText(tiff, TIFFTAG_DATETIME);
    std::string original;
    std::uint64_t exifOffset = 0;
    // Reading the EXIF directory leaves the picture's directory: nothing is read from it after this.
    if (TIFFGetField(tiff, TIFFTAG_EXIFIFD, &exifOffset) && exifOffset &&
        TIFFReadEXIFDirectory(tiff, exifOffset))
        original = TagText(tiff, EXIFTAG_DATETIMEORIGINAL);
    if (make.empty() && model.empty() && dateTime.empty() && original.empty()) return {};

    const std::unique_ptr<ExifData, ExifDataUnref> exif(exif_data_new());
    if (!exif) throw std::bad_alloc();
    exif_data_set_byte_order(exif.get(), EXIF_BYTE_ORDER_INTEL);
    AddText(exif.get(), EXIF_IFD_0, EXIF_TAG_MAKE, make);
    AddText(exif.get(), EXIF_IFD_0, EXIF_TAG_MODEL, model);
    AddText(exif.get(), EXIF_IFD_0, EXIF_TAG_DATE_TIME, dateTime);
    AddText(exif.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, original);
    unsigned char* bytes = nullptr;
    unsigned int length = 0;
    exif_data_save_data(exif.get(), &bytes, &length);  // "Exif\0\0", then the TIFF header
    if (!bytes) throw std::bad_alloc();
    std::string block(reinterpret_cast<const char*>(bytes), length);
    std::free(bytes);
    return block;
}

// The file's profile where it is an RGB one (IsRgbIccProfile).
std::string RgbProfileOf(TIFF* tiff) {
    std::uint32_t length = 0;
    const void* profile = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &profile) || !profile) return {};
    if (!IsRgbIccProfile(profile, length)) return {};
    return std::string(static_cast<const char*>(profile), length);
}

DecodedPicture Decode(const void* data, std::size_t size, const DecodeRequest& request,
                      const std::string& sourceName) {
    MemoryFile file{static_cast<const std::uint8_t*>(data), size, 0};
    LibtiffLog log;
    const TiffHandle tiff = Open(file, log);
    if (!tiff) FailDecode(kLeadCorruptFile, sourceName, log.Or("damaged TIFF file"));

    std::uint32_t width = 0, height = 0;
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) || width == 0 || height == 0)
        FailDecode(kLeadCorruptFile, sourceName, "no picture size");
    if (static_cast<std::uint64_t>(width) * height > request.limits.maxPixels || width > INT_MAX ||
        height > INT_MAX)
        FailDecode(kLeadPictureTooLarge, sourceName, "larger than the program handles");
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    if (!TIFFIsCODECConfigured(compression))
        FailDecode(kLeadUnsupportedFormat, sourceName, "a TIFF compression the program does not read");

    std::uint16_t orientationTag = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ORIENTATION, &orientationTag);
    const ExifOrientation orientation = orientationTag >= 1 && orientationTag <= 8
                                            ? static_cast<ExifOrientation>(orientationTag)
                                            : ExifOrientation::Normal;

    DecodedPicture result;
    result.iccProfile = RgbProfileOf(tiff.get());
    Layout layout;
    RgbBuffer stored = OwnLayout(tiff.get(), layout)
                           ? ReadRows(tiff.get(), layout, static_cast<int>(width), static_cast<int>(height),
                                      request.background, log, sourceName)
                           : ReadThroughRgba(tiff.get(), static_cast<int>(width), static_cast<int>(height),
                                             request.background, log, sourceName);
    result.exif = MakeExif(tiff.get());
    result.pixels = ApplyOrientation(std::move(stored), orientation);
    result.fullWidth = result.pixels.Width();
    result.fullHeight = result.pixels.Height();
    return result;
}

}  // namespace

DecodedPicture DecodeTiffMemory(const void* data, std::size_t size, const DecodeRequest& request,
                                const std::string& sourceName) {
    if (!data || size == 0) FailDecode(kLeadCorruptFile, sourceName, "empty file");
    return WithMemoryFaults(sourceName, [&] { return Decode(data, size, request, sourceName); });
}

bool ReadTiffSize(const void* data, std::size_t size, int& width, int& height) {
    if (!data || size == 0) return false;
    MemoryFile file{static_cast<const std::uint8_t*>(data), size, 0};
    LibtiffLog log;
    try {
        const TiffHandle tiff = Open(file, log);
        std::uint32_t w = 0, h = 0;
        if (!tiff || !TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &w) ||
            !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &h) || w == 0 || h == 0 || w > INT_MAX ||
            h > INT_MAX)
            return false;
        width = static_cast<int>(w);
        height = static_cast<int>(h);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace wexbo
