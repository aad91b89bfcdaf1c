#include "imaging/jpeg_decoder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "imaging/exif_orientation.h"
#include "imaging/imaging_fault.h"
#include "imaging/jpeg_error_trap.h"
#include "imaging/lead_error.h"

namespace wexbo {

namespace {

struct ScanWatch {
    jpeg_progress_mgr manager;  // first member
    int maxScans;
};

void OnProgress(j_common_ptr cinfo) {
    const auto* watch = reinterpret_cast<const ScanWatch*>(cinfo->progress);
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > watch->maxScans)
        LeaveWithError(cinfo, kLeadCorruptFile, "Too many progressive scans");
}

// A file source with a large buffer: libjpeg-turbo's fast Huffman decoder runs only while the
// buffer holds a few kilobytes of data, which a small buffer rarely does.
struct FileSource {
    jpeg_source_mgr manager;  // first member
    std::FILE* file;
    bool started;
    JOCTET buffer[1 << 18];
};

void OnInitSource(j_decompress_ptr) {}

boolean OnFillInput(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<FileSource*>(cinfo->src);
    std::size_t n = std::fread(src->buffer, 1, sizeof src->buffer, src->file);
    if (n == 0) {
        if (std::ferror(src->file))
            LeaveWithError(reinterpret_cast<j_common_ptr>(cinfo), kLeadFileRead, "Read error");
        if (!src->started) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // Ends the data with an end marker, as libjpeg's own sources do, after the warning that
        // reports the truncation.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        n = 2;
    }
    src->started = true;
    src->manager.next_input_byte = src->buffer;
    src->manager.bytes_in_buffer = n;
    return TRUE;
}

void OnSkipInput(j_decompress_ptr cinfo, long count) {
    auto* src = reinterpret_cast<FileSource*>(cinfo->src);
    while (count > static_cast<long>(src->manager.bytes_in_buffer)) {
        count -= static_cast<long>(src->manager.bytes_in_buffer);
        OnFillInput(cinfo);
    }
    if (count > 0) {
        src->manager.next_input_byte += count;
        src->manager.bytes_in_buffer -= static_cast<std::size_t>(count);
    }
}

void OnTermSource(j_decompress_ptr) {}

// Everything one decode touches, kept in memory so that it survives the jump back from an error.
struct DecodeJob {
    jpeg_decompress_struct cinfo{};
    JpegErrorTrap trap{};
    ScanWatch watch{};
    std::unique_ptr<FileSource> source;
    bool created = false;

    std::FILE* file = nullptr;
    const unsigned char* data = nullptr;
    unsigned long size = 0;
    int targetWidth = 0;
    int targetHeight = 0;
    DecodeLimits limits;

    ExifOrientation orientation = ExifOrientation::Normal;
    RgbBuffer pixels;
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;
    int limitCode = 0;  // set when a bound of ours, not libjpeg, stops the decode

    ~DecodeJob() {
        if (created) jpeg_destroy_decompress(&cinfo);
        std::free(icc);
    }
};

inline std::uint8_t MulDiv255(unsigned a, unsigned b) {
    return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// CMYK as libjpeg gives it: Adobe files store the inks inverted (0 = full ink), others plainly.
void CmykRowToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[0] = MulDiv255(c, k);
        rgb[1] = MulDiv255(m, k);
        rgb[2] = MulDiv255(y, k);
    }
}

ExifOrientation OrientationOf(j_decompress_ptr cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo->marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0)
            return ReadExifOrientation(m->data, m->data_length);
    }
    return ExifOrientation::Normal;
}

// True when every component's DC coefficients are in, to the last bit or all but the last
// (the usual first scan leaves out the lowest bit, an error below one grey level at 1/8 scale).
bool DcKnown(j_decompress_ptr cinfo) {
    if (!cinfo->coef_bits) return false;
    for (int c = 0; c < cinfo->num_components; ++c) {
        const int missingBits = cinfo->coef_bits[c][0];
        if (missingBits < 0 || missingBits > 1) return false;
    }
    return true;
}

// Runs libjpeg. Returns false on failure, with the trap or limitCode telling why. No object with a
// destructor may live in this function's own frame: a libjpeg error jumps straight back to setjmp.
bool RunDecode(DecodeJob& job) {
    job.cinfo.err = InstallErrorTrap(job.trap);
    if (setjmp(job.trap.jump)) return false;
    jpeg_create_decompress(&job.cinfo);
    job.created = true;
    j_decompress_ptr cinfo = &job.cinfo;
    cinfo->mem->max_memory_to_use = job.limits.maxDecoderMemory;
    job.watch.manager.progress_monitor = OnProgress;
    job.watch.maxScans = job.limits.maxScans;
    cinfo->progress = &job.watch.manager;
    if (job.file) {
        job.source->file = job.file;
        job.source->started = false;
        job.source->manager.init_source = OnInitSource;
        job.source->manager.fill_input_buffer = OnFillInput;
        job.source->manager.skip_input_data = OnSkipInput;
        job.source->manager.resync_to_restart = jpeg_resync_to_restart;
        job.source->manager.term_source = OnTermSource;
        job.source->manager.bytes_in_buffer = 0;
        job.source->manager.next_input_byte = nullptr;
        cinfo->src = &job.source->manager;
    } else
        jpeg_mem_src(cinfo, job.data, job.size);
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(cinfo, TRUE);

    job.orientation = OrientationOf(cinfo);
    // A damaged profile only loses the profile, not the picture.
    job.trap.damageIsFatal = false;
    if (!jpeg_read_icc_profile(cinfo, &job.icc, &job.iccLength)) job.iccLength = 0;
    job.trap.damageIsFatal = true;

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGB;
    int tw = job.targetWidth, th = job.targetHeight;
    if (SwapsSides(job.orientation)) std::swap(tw, th);
    cinfo->scale_num = static_cast<unsigned>(
        DctScaleFor(static_cast<int>(cinfo->image_width), static_cast<int>(cinfo->image_height), tw, th));
    cinfo->scale_denom = 8;
    jpeg_calc_output_dimensions(cinfo);
    if (static_cast<std::uint64_t>(cinfo->output_width) * cinfo->output_height > job.limits.maxPixels) {
        job.limitCode = kLeadPictureTooLarge;
        return false;
    }
    job.pixels = RgbBuffer(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height));

    // At 1/8 scale each 8 × 8 block becomes one pixel, its DC coefficient. A progressive file
    // sends the DC coefficients of every block in its first scans: read those only and leave the
    // detail scans, often nine tenths of the file, unread.
    const bool dcOnly = cinfo->progressive_mode && cinfo->scale_num == 1;
    if (dcOnly) {
        cinfo->buffered_image = TRUE;
        cinfo->do_block_smoothing = FALSE;  // it would only guess AC coefficients a 1/8 decode ignores
    }
    jpeg_start_decompress(cinfo);
    if (dcOnly) {
        for (;;) {
            const int status = jpeg_consume_input(cinfo);
            if (status == JPEG_REACHED_EOI || status == JPEG_SUSPENDED) break;
            if (status == JPEG_SCAN_COMPLETED && DcKnown(cinfo)) break;
        }
        jpeg_start_output(cinfo, cinfo->input_scan_number);
    }
    JSAMPARRAY cmykRows = nullptr;
    if (cmyk)
        cmykRows = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                               cinfo->output_width * 4, 16);
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION first = cinfo->output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(16, cinfo->output_height - first);
        if (cmyk) {
            const JDIMENSION got = jpeg_read_scanlines(cinfo, cmykRows, count);
            for (JDIMENSION i = 0; i < got; ++i)
                CmykRowToRgb(cmykRows[i], job.pixels.Row(static_cast<int>(first + i)), cinfo->output_width,
                             cinfo->saw_Adobe_marker);
        } else {
            JSAMPROW rows[16];
            for (JDIMENSION i = 0; i < count; ++i) rows[i] = job.pixels.Row(static_cast<int>(first + i));
            jpeg_read_scanlines(cinfo, rows, count);
        }
    }
    if (dcOnly) {
        jpeg_finish_output(cinfo);
        return true;  // the rest of the file is not needed; destroying the decoder drops it
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

DecodedPicture Decode(DecodeJob& job, const std::string& sourceName) {
    if (!RunDecode(job)) {
        const int code = job.limitCode ? job.limitCode : job.trap.code;
        const std::string why = job.limitCode ? "larger than the program handles" : job.trap.message;
        throw ImagingFault(code, sourceName + ": " + why);
    }
    DecodedPicture result;
    if (IsRgbIccProfile(job.icc, job.iccLength))
        result.iccProfile.assign(reinterpret_cast<const char*>(job.icc), job.iccLength);
    // The full size from the header: the decoded size is smaller when scaled.
    int fullWidth = static_cast<int>(job.cinfo.image_width);
    int fullHeight = static_cast<int>(job.cinfo.image_height);
    if (SwapsSides(job.orientation)) std::swap(fullWidth, fullHeight);
    result.fullWidth = fullWidth;
    result.fullHeight = fullHeight;
    result.pixels = ApplyOrientation(std::move(job.pixels), job.orientation);
    return result;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

int DctScaleFor(int width, int height, int targetWidth, int targetHeight) {
    if (width < 1 || height < 1 || (targetWidth <= 0 && targetHeight <= 0)) return 8;
    long long tw = targetWidth, th = targetHeight;
    if (tw <= 0) tw = static_cast<long long>(std::ceil(static_cast<double>(th) * width / height));
    if (th <= 0) th = static_cast<long long>(std::ceil(static_cast<double>(tw) * height / width));
    for (int m = 1; m < 8; ++m) {
        if (static_cast<long long>(width) * m >= 8 * tw && static_cast<long long>(height) * m >= 8 * th)
            return m;
    }
    return 8;
}

DecodedPicture DecodeJpegFile(const std::string& path, int targetWidth, int targetHeight,
                              const DecodeLimits& limits) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw ImagingFault(kLeadFileRead, path + ": is a folder");
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (file) std::setvbuf(file.get(), nullptr, _IONBF, 0);  // FileSource reads in large blocks
    if (!file) {
        const int error = errno;
        throw ImagingFault(error == ENOENT || error == ENOTDIR ? kLeadFileNotFound : kLeadFileRead,
                           path + ": " + std::strerror(error));
    }
    DecodeJob job;
    job.file = file.get();
    job.source = std::make_unique<FileSource>();
    job.targetWidth = targetWidth;
    job.targetHeight = targetHeight;
    job.limits = limits;
    return Decode(job, path);
}

DecodedPicture DecodeJpegMemory(const void* data, std::size_t size, int targetWidth, int targetHeight,
                                const std::string& sourceName, const DecodeLimits& limits) {
    DecodeJob job;
    job.data = static_cast<const unsigned char*>(data);
    job.size = static_cast<unsigned long>(size);
    job.targetWidth = targetWidth;
    job.targetHeight = targetHeight;
    job.limits = limits;
    return Decode(job, sourceName);
}

}  // namespace wexbo
