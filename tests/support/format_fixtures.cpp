#include "format_fixtures.h"

#include <lcms2.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

namespace wexbo::test {

Samples::Samples(int width, int height, int channels, int bits)
    : width(width),
      height(height),
      channels(channels),
      bits(bits),
      values(static_cast<std::size_t>(width) * height * channels) {}

Samples SamplesOf(const RgbBuffer& picture, int alpha) {
    Samples samples(picture.Width(), picture.Height(), alpha >= 0 ? 4 : 3, 8);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            std::uint16_t* s = samples.At(x, y);
            std::copy(picture.Row(y) + 3 * x, picture.Row(y) + 3 * x + 3, s);
            if (alpha >= 0) s[3] = static_cast<std::uint16_t>(alpha);
        }
    }
    return samples;
}

namespace {

// The distinct colours of 8-bit samples (as many channels as they have) and each pixel's index.
struct Palette {
    std::vector<std::vector<std::uint16_t>> colours;
    std::vector<std::uint8_t> indices;
};

Palette PaletteOf(const Samples& samples) {
    if (samples.bits != 8) throw std::invalid_argument("a palette needs 8-bit samples");
    Palette palette;
    std::map<std::vector<std::uint16_t>, std::uint8_t> known;
    for (int y = 0; y < samples.height; ++y) {
        for (int x = 0; x < samples.width; ++x) {
            std::vector<std::uint16_t> colour(samples.At(x, y), samples.At(x, y) + samples.channels);
            auto [it, added] = known.emplace(colour, static_cast<std::uint8_t>(palette.colours.size()));
            if (added) {
                if (palette.colours.size() == 256) throw std::invalid_argument("more than 256 colours");
                palette.colours.push_back(colour);
            }
            palette.indices.push_back(it->second);
        }
    }
    return palette;
}

// ---- PNG ----

// What one write touches, kept outside WritePng's frame, which libpng's errors jump back to.
struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string out;
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_color> paletteColours;
    std::vector<png_byte> paletteAlpha;
    png_color_16 key{};
    char message[200] = "";

    ~PngJob() {
        if (png) png_destroy_write_struct(&png, &info);
    }
};

void OnPngError(png_structp png, png_const_charp text) {
    std::snprintf(static_cast<PngJob*>(png_get_error_ptr(png))->message, 200, "%s", text);
    png_longjmp(png, 1);
}

void OnPngWrite(png_structp png, png_bytep data, std::size_t size) {
    static_cast<PngJob*>(png_get_io_ptr(png))->out.append(reinterpret_cast<const char*>(data), size);
}

void OnPngFlush(png_structp) {}

bool WritePng(PngJob& job, const Samples& samples, const PngExtras& extras, int colourType) {
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, OnPngError, nullptr);
    if (setjmp(png_jmpbuf(job.png))) return false;
    job.info = png_create_info_struct(job.png);
    png_set_write_fn(job.png, &job, OnPngWrite, OnPngFlush);
    png_set_IHDR(job.png, job.info, static_cast<png_uint_32>(samples.width),
                 static_cast<png_uint_32>(samples.height), extras.palette ? 8 : samples.bits, colourType,
                 extras.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (extras.palette) {
        png_set_PLTE(job.png, job.info, job.paletteColours.data(),
                     static_cast<int>(job.paletteColours.size()));
        if (!job.paletteAlpha.empty())
            png_set_tRNS(job.png, job.info, job.paletteAlpha.data(),
                         static_cast<int>(job.paletteAlpha.size()), nullptr);
    }
    if (!extras.colourKey.empty()) png_set_tRNS(job.png, job.info, nullptr, 0, &job.key);
    if (extras.gamma > 0) png_set_gAMA(job.png, job.info, extras.gamma);
    if (extras.srgb) png_set_sRGB(job.png, job.info, PNG_sRGB_INTENT_PERCEPTUAL);
    if (!extras.icc.empty())
        png_set_iCCP(job.png, job.info, "profile", PNG_COMPRESSION_TYPE_BASE,
                     reinterpret_cast<png_const_bytep>(extras.icc.data()),
                     static_cast<png_uint_32>(extras.icc.size()));
    auto setExif = [&] {
        png_set_eXIf_1(job.png, job.info, static_cast<png_uint_32>(extras.exif.size()),
                       reinterpret_cast<png_bytep>(const_cast<char*>(extras.exif.data())));
    };
    if (!extras.exif.empty() && !extras.exifAfterPicture) setExif();
    png_write_info(job.png, job.info);
    if (samples.bits < 8) png_set_packing(job.png);
    const int passes = png_set_interlace_handling(job.png);
    for (int pass = 0; pass < passes; ++pass)
        for (auto& row : job.rows) png_write_row(job.png, row.data());
    // libpng writes what the info holds again at the end unless it is given none there.
    if (!extras.exif.empty() && extras.exifAfterPicture) setExif();
    png_write_end(job.png, extras.exifAfterPicture ? job.info : nullptr);
    return true;
}

// ---- TIFF ----

// A growing file in memory that libtiff writes, and reads back when it returns to a directory.
struct MemoryStream {
    std::string bytes;
    toff_t position = 0;
};

tmsize_t OnStreamRead(thandle_t handle, void* buffer, tmsize_t count) {
    auto* stream = static_cast<MemoryStream*>(handle);
    if (stream->position >= stream->bytes.size()) return 0;
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(count), stream->bytes.size() - stream->position);
    std::memcpy(buffer, stream->bytes.data() + stream->position, n);
    stream->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t OnStreamWrite(thandle_t handle, void* buffer, tmsize_t count) {
    auto* stream = static_cast<MemoryStream*>(handle);
    const std::size_t end = stream->position + static_cast<std::size_t>(count);
    if (end > stream->bytes.size()) stream->bytes.resize(end);
    std::memcpy(stream->bytes.data() + stream->position, buffer, static_cast<std::size_t>(count));
    stream->position = end;
    return count;
}

toff_t OnStreamSeek(thandle_t handle, toff_t offset, int whence) {
    auto* stream = static_cast<MemoryStream*>(handle);
    if (whence == SEEK_CUR) offset += stream->position;
    if (whence == SEEK_END) offset += stream->bytes.size();
    stream->position = offset;
    return offset;
}

int OnStreamClose(thandle_t) { return 0; }
toff_t OnStreamSize(thandle_t handle) { return static_cast<MemoryStream*>(handle)->bytes.size(); }
int OnStreamMap(thandle_t, void**, toff_t*) { return 0; }
void OnStreamUnmap(thandle_t, void*, toff_t) {}

// Samples packed as the file stores them.
std::vector<std::uint8_t> PackRow(const std::vector<std::uint16_t>& values, int bits, bool floats,
                                  unsigned top) {
    std::vector<std::uint8_t> out;
    if (floats) {
        out.resize(values.size() * 4);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const float f = static_cast<float>(values[i]) / static_cast<float>(top);
            std::memcpy(out.data() + 4 * i, &f, 4);
        }
    } else if (bits == 16) {
        out.resize(values.size() * 2);
        std::memcpy(out.data(), values.data(), out.size());  // libtiff writes the machine's byte order
    } else if (bits == 8) {
        out.assign(values.begin(), values.end());
    } else {
        out.assign((values.size() * bits + 7) / 8, 0);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::size_t bit = i * bits;
            out[bit / 8] |= static_cast<std::uint8_t>(values[i] << (8 - bits - bit % 8));
        }
    }
    return out;
}

struct TiffClose {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

void Check(int ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("libtiff could not ") + what);
}

}  // namespace

std::string MakePng(const Samples& samples, const PngExtras& extras) {
    static constexpr int kColourTypes[] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA,
                                           PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA};
    PngJob job;
    int colourType = kColourTypes[samples.channels];
    if (extras.palette) {
        colourType = PNG_COLOR_TYPE_PALETTE;
        const Palette palette = PaletteOf(samples);
        for (const auto& c : palette.colours) {
            job.paletteColours.push_back(
                {static_cast<png_byte>(c[0]), static_cast<png_byte>(c[1]), static_cast<png_byte>(c[2])});
            if (samples.channels == 4) job.paletteAlpha.push_back(static_cast<png_byte>(c[3]));
        }
        for (int y = 0; y < samples.height; ++y)
            job.rows.emplace_back(
                palette.indices.begin() + static_cast<std::ptrdiff_t>(y) * samples.width,
                palette.indices.begin() + static_cast<std::ptrdiff_t>(y + 1) * samples.width);
    } else {
        const std::size_t perRow = static_cast<std::size_t>(samples.width) * samples.channels;
        for (int y = 0; y < samples.height; ++y) {
            const std::uint16_t* s = samples.At(0, y);
            std::vector<png_byte> row;
            for (std::size_t i = 0; i < perRow; ++i) {
                if (samples.bits == 16) row.push_back(static_cast<png_byte>(s[i] >> 8));
                row.push_back(static_cast<png_byte>(s[i] & 0xFF));
            }
            job.rows.push_back(std::move(row));
        }
    }
    if (extras.colourKey.size() == 1) job.key.gray = extras.colourKey[0];
    if (extras.colourKey.size() == 3) {
        job.key.red = extras.colourKey[0];
        job.key.green = extras.colourKey[1];
        job.key.blue = extras.colourKey[2];
    }
    if (!WritePng(job, samples, extras, colourType))
        throw std::runtime_error(std::string("libpng: ") + job.message);
    return job.out;
}

std::string MakeWebp(const Samples& samples, const WebpExtras& extras) {
    if (samples.bits != 8 || samples.channels < 3)
        throw std::invalid_argument("WebP takes 8-bit RGB or RGBA");
    const std::vector<std::uint8_t> pixels(samples.values.begin(), samples.values.end());
    const int stride = samples.width * samples.channels;
    std::uint8_t* encoded = nullptr;
    std::size_t size = 0;
    const bool alpha = samples.channels == 4;
    const float quality = static_cast<float>(extras.quality);
    if (extras.lossless)
        size = alpha ? WebPEncodeLosslessRGBA(pixels.data(), samples.width, samples.height, stride, &encoded)
                     : WebPEncodeLosslessRGB(pixels.data(), samples.width, samples.height, stride, &encoded);
    else
        size = alpha ? WebPEncodeRGBA(pixels.data(), samples.width, samples.height, stride, quality, &encoded)
                     : WebPEncodeRGB(pixels.data(), samples.width, samples.height, stride, quality, &encoded);
    if (size == 0) throw std::runtime_error("libwebp could not encode");
    std::string file(reinterpret_cast<const char*>(encoded), size);
    WebPFree(encoded);
    if (extras.exif.empty() && extras.icc.empty()) return file;

    const WebPData image{reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
    std::unique_ptr<WebPMux, void (*)(WebPMux*)> mux(WebPMuxCreate(&image, 1), WebPMuxDelete);
    auto setChunk = [&](const char* fourcc, const std::string& bytes) {
        const WebPData chunk{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
        if (!bytes.empty() && WebPMuxSetChunk(mux.get(), fourcc, &chunk, 1) != WEBP_MUX_OK)
            throw std::runtime_error("libwebpmux could not add a chunk");
    };
    setChunk("EXIF", extras.exif);
    setChunk("ICCP", extras.icc);
    WebPData assembled{};
    if (WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK) throw std::runtime_error("libwebpmux failed");
    std::string out(reinterpret_cast<const char*>(assembled.bytes), assembled.size);
    WebPDataClear(&assembled);
    return out;
}

std::string MakeAnimatedWebp(int canvasWidth, int canvasHeight, const std::vector<WebpFrame>& frames) {
    std::unique_ptr<WebPMux, void (*)(WebPMux*)> mux(WebPMuxNew(), WebPMuxDelete);
    for (const WebpFrame& frame : frames) {
        const std::string still = MakeWebp(frame.samples);
        WebPMuxFrameInfo info{};
        info.bitstream = {reinterpret_cast<const std::uint8_t*>(still.data()), still.size()};
        info.x_offset = frame.x;
        info.y_offset = frame.y;
        info.duration = 100;
        info.id = WEBP_CHUNK_ANMF;
        info.dispose_method = WEBP_MUX_DISPOSE_NONE;
        info.blend_method = WEBP_MUX_BLEND;
        if (WebPMuxPushFrame(mux.get(), &info, 1) != WEBP_MUX_OK)
            throw std::runtime_error("libwebpmux: frame");
    }
    const WebPMuxAnimParams params{0xFF000000u, 0};
    if (WebPMuxSetAnimationParams(mux.get(), &params) != WEBP_MUX_OK ||
        WebPMuxSetCanvasSize(mux.get(), canvasWidth, canvasHeight) != WEBP_MUX_OK)
        throw std::runtime_error("libwebpmux: canvas");
    WebPData assembled{};
    if (WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK) throw std::runtime_error("libwebpmux failed");
    std::string out(reinterpret_cast<const char*>(assembled.bytes), assembled.size);
    WebPDataClear(&assembled);
    return out;
}

std::string MakeTiff(const Samples& samples, const TiffExtras& extras) {
    MemoryStream stream;
    std::unique_ptr<TIFF, TiffClose> tiff(TIFFClientOpen("fixture", "w", &stream, OnStreamRead, OnStreamWrite,
                                                         OnStreamSeek, OnStreamClose, OnStreamSize,
                                                         OnStreamMap, OnStreamUnmap));
    if (!tiff) throw std::runtime_error("libtiff could not open");
    TIFF* t = tiff.get();
    const bool alpha = samples.channels == 2 || samples.channels == 4;
    const int colours = alpha ? samples.channels - 1 : samples.channels;

    // What each pixel stores, before packing.
    int stored = samples.channels;
    std::vector<std::uint16_t> values = samples.values;
    std::uint16_t photometric = colours == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    std::vector<std::uint16_t> map[3];
    const unsigned top = samples.Top();
    if (extras.palette) {
        const Palette palette = PaletteOf(samples);
        photometric = PHOTOMETRIC_PALETTE;
        stored = 1;
        values.assign(palette.indices.begin(), palette.indices.end());
        for (auto& m : map) m.assign(256, 0);
        for (std::size_t i = 0; i < palette.colours.size(); ++i)
            for (int c = 0; c < 3; ++c) map[c][i] = static_cast<std::uint16_t>(palette.colours[i][c] * 257);
    } else if (extras.cmyk) {
        photometric = PHOTOMETRIC_SEPARATED;
        stored = 4;
        values.clear();
        for (std::size_t i = 0; i < samples.values.size(); i += 3) {
            for (int c = 0; c < 3; ++c)
                values.push_back(static_cast<std::uint16_t>(255 - samples.values[i + c]));
            values.push_back(0);
        }
    } else {
        for (std::size_t i = 0; i < values.size(); i += samples.channels) {
            if (extras.minIsWhite) values[i] = static_cast<std::uint16_t>(top - values[i]);
            if (alpha && extras.associatedAlpha) {
                const unsigned a = values[i + colours];
                for (int c = 0; c < colours; ++c)
                    values[i + c] = static_cast<std::uint16_t>((values[i + c] * a + top / 2) / top);
            }
        }
        if (extras.minIsWhite) photometric = PHOTOMETRIC_MINISWHITE;
    }

    Check(TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(samples.width)), "set the width");
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(samples.height));
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, extras.floats ? 32 : (extras.palette ? 8 : samples.bits));
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, stored);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(t, TIFFTAG_COMPRESSION, extras.compression);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG,
                 extras.layout == TiffLayout::SeparatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    if (extras.floats) TIFFSetField(t, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP);
    if (extras.cmyk) TIFFSetField(t, TIFFTAG_INKSET, INKSET_CMYK);
    if (extras.palette) TIFFSetField(t, TIFFTAG_COLORMAP, map[0].data(), map[1].data(), map[2].data());
    if (alpha && !extras.palette) {
        const std::uint16_t kind = extras.associatedAlpha ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &kind);
    }
    if (extras.orientation) TIFFSetField(t, TIFFTAG_ORIENTATION, extras.orientation);
    if (!extras.icc.empty())
        TIFFSetField(t, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(extras.icc.size()), extras.icc.data());
    if (!extras.make.empty()) TIFFSetField(t, TIFFTAG_MAKE, extras.make.c_str());
    if (!extras.model.empty()) TIFFSetField(t, TIFFTAG_MODEL, extras.model.c_str());
    if (!extras.dateTime.empty()) TIFFSetField(t, TIFFTAG_DATETIME, extras.dateTime.c_str());
    const bool exifDirectory = !extras.dateTimeOriginal.empty();
    if (exifDirectory) TIFFSetField(t, TIFFTAG_EXIFIFD, std::uint64_t{0});
    if (extras.gps) TIFFSetField(t, TIFFTAG_GPSIFD, std::uint64_t{0});

    const int bits = extras.floats ? 32 : (extras.palette ? 8 : samples.bits);
    auto pixelValues = [&](int x0, int x1, int y, int first, int count) {
        std::vector<std::uint16_t> row;
        for (int x = x0; x < x1; ++x)
            for (int c = first; c < first + count; ++c)
                row.push_back(x < samples.width && y < samples.height
                                  ? values[(static_cast<std::size_t>(y) * samples.width + x) * stored + c]
                                  : 0);
        return row;
    };
    if (extras.layout == TiffLayout::Tiles) {
        constexpr int kTile = 16;
        TIFFSetField(t, TIFFTAG_TILEWIDTH, kTile);
        TIFFSetField(t, TIFFTAG_TILELENGTH, kTile);
        for (int ty = 0; ty < samples.height; ty += kTile) {
            for (int tx = 0; tx < samples.width; tx += kTile) {
                std::vector<std::uint8_t> tile;
                for (int y = ty; y < ty + kTile; ++y) {
                    const auto packed =
                        PackRow(pixelValues(tx, tx + kTile, y, 0, stored), bits, extras.floats, top);
                    tile.insert(tile.end(), packed.begin(), packed.end());
                }
                Check(TIFFWriteTile(t, tile.data(), static_cast<std::uint32_t>(tx),
                                    static_cast<std::uint32_t>(ty), 0, 0) >= 0,
                      "write a tile");
            }
        }
    } else {
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 4);  // several strips
        const bool planes = extras.layout == TiffLayout::SeparatePlanes;
        for (int plane = 0; plane < (planes ? stored : 1); ++plane) {
            for (int y = 0; y < samples.height; ++y) {
                auto packed = PackRow(pixelValues(0, samples.width, y, plane, planes ? 1 : stored), bits,
                                      extras.floats, top);
                Check(TIFFWriteScanline(t, packed.data(), static_cast<std::uint32_t>(y),
                                        static_cast<std::uint16_t>(plane)) == 1,
                      "write a row");
            }
        }
    }
    Check(TIFFWriteDirectory(t), "write the directory");

    if (exifDirectory || extras.gps) {
        std::uint64_t exifOffset = 0, gpsOffset = 0;
        if (exifDirectory) {
            Check(TIFFCreateEXIFDirectory(t) == 0, "make an EXIF directory");
            TIFFSetField(t, EXIFTAG_DATETIMEORIGINAL, extras.dateTimeOriginal.c_str());
            Check(TIFFWriteCustomDirectory(t, &exifOffset), "write the EXIF directory");
        }
        if (extras.gps) {
            Check(TIFFCreateGPSDirectory(t) == 0, "make a GPS directory");
            TIFFSetField(t, GPSTAG_LATITUDEREF, "N");
            Check(TIFFWriteCustomDirectory(t, &gpsOffset), "write the GPS directory");
        }
        // Back to the picture's directory to point at them.
        Check(TIFFSetDirectory(t, 0), "return to the first directory");
        if (exifDirectory) TIFFSetField(t, TIFFTAG_EXIFIFD, exifOffset);
        if (extras.gps) TIFFSetField(t, TIFFTAG_GPSIFD, gpsOffset);
        Check(TIFFRewriteDirectory(t), "rewrite the directory");
    }
    tiff.reset();
    return stream.bytes;
}

namespace {

std::string SaveProfile(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    std::string bytes;
    if (profile && cmsSaveProfileToMem(profile, nullptr, &size)) {
        bytes.resize(size);
        cmsSaveProfileToMem(profile, bytes.data(), &size);
    }
    if (profile) cmsCloseProfile(profile);
    if (bytes.empty()) throw std::runtime_error("lcms2 could not write a profile");
    return bytes;
}

}  // namespace

std::string ExifWithOrientation(int orientation) {
    auto u16 = [](int v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
    auto u32 = [&](int v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    std::string tiff = "II" + u16(42) + u32(8);
    tiff += u16(1);                                                     // one entry in IFD0
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0);  // Orientation, SHORT, 1 value
    tiff += u32(0);                                                     // no next IFD
    return tiff;
}

std::string SrgbProfile() { return SaveProfile(cmsCreate_sRGBProfile()); }

std::string GreyProfile() {
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    const std::string bytes = SaveProfile(cmsCreateGrayProfile(cmsD50_xyY(), curve));
    cmsFreeToneCurve(curve);
    return bytes;
}

}  // namespace wexbo::test
