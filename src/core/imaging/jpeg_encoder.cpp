#include "imaging/jpeg_encoder.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "imaging/imaging_fault.h"
#include "imaging/jpeg_error_trap.h"
#include "imaging/lead_error.h"

namespace wexbo {

namespace {

// A destination that collects the bytes in a string.
struct StringDestination {
    jpeg_destination_mgr manager;  // first member
    std::string* bytes;
    JOCTET chunk[1 << 16];
};

void OnInitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    dest->manager.next_output_byte = dest->chunk;
    dest->manager.free_in_buffer = sizeof dest->chunk;
}

void Append(j_compress_ptr cinfo, std::size_t count) {
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    try {
        dest->bytes->append(reinterpret_cast<const char*>(dest->chunk), count);
    } catch (...) {
        // Nothing may be thrown through libjpeg's C frames.
        LeaveWithError(reinterpret_cast<j_common_ptr>(cinfo), kLeadNoMemory,
                       "Out of memory for the JPEG file");
    }
}

boolean OnEmptyOutput(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    Append(cinfo, sizeof dest->chunk);
    dest->manager.next_output_byte = dest->chunk;
    dest->manager.free_in_buffer = sizeof dest->chunk;
    return TRUE;
}

void OnTermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    Append(cinfo, sizeof dest->chunk - dest->manager.free_in_buffer);
}

struct EncodeJob {
    jpeg_compress_struct cinfo{};
    JpegErrorTrap trap{};
    StringDestination destination{};
    bool created = false;
    const RgbBuffer* picture = nullptr;
    JpegSettings settings;
    const std::string* icc = nullptr;
    const std::string* exif = nullptr;
    std::string output;

    ~EncodeJob() {
        if (created) jpeg_destroy_compress(&cinfo);
    }
};

// Runs libjpeg; see RunDecode for why nothing with a destructor lives in this frame.
bool RunEncode(EncodeJob& job) {
    job.cinfo.err = InstallErrorTrap(job.trap);
    if (setjmp(job.trap.jump)) return false;
    jpeg_create_compress(&job.cinfo);
    job.created = true;
    j_compress_ptr cinfo = &job.cinfo;
    job.destination.manager.init_destination = OnInitDestination;
    job.destination.manager.empty_output_buffer = OnEmptyOutput;
    job.destination.manager.term_destination = OnTermDestination;
    job.destination.bytes = &job.output;
    cinfo->dest = &job.destination.manager;
    cinfo->image_width = static_cast<JDIMENSION>(job.picture->Width());
    cinfo->image_height = static_cast<JDIMENSION>(job.picture->Height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_EXT_RGB;
    jpeg_set_defaults(cinfo);
    if (job.settings.greyscale) {
        jpeg_set_colorspace(cinfo, JCS_GRAYSCALE);
    } else {
        // 4:2:2: colour at half the horizontal resolution, full vertical resolution; 4:2:0 halves
        // both.
        cinfo->comp_info[0].h_samp_factor = 2;
        cinfo->comp_info[0].v_samp_factor = job.settings.colourAtHalfHeight ? 2 : 1;
        for (int c = 1; c < 3; ++c) {
            cinfo->comp_info[c].h_samp_factor = 1;
            cinfo->comp_info[c].v_samp_factor = 1;
        }
    }
    jpeg_set_quality(cinfo, job.settings.quality, TRUE);
    cinfo->optimize_coding = TRUE;
    if (job.settings.progressive) jpeg_simple_progression(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    // An APP1 segment holds at most 65,533 bytes; a larger block is left out rather than cut.
    if (!job.exif->empty() && job.exif->size() <= 65533)
        jpeg_write_marker(cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(job.exif->data()),
                          static_cast<unsigned int>(job.exif->size()));
    if (!job.icc->empty())
        jpeg_write_icc_profile(cinfo, reinterpret_cast<const JOCTET*>(job.icc->data()),
                               static_cast<unsigned int>(job.icc->size()));
    while (cinfo->next_scanline < cinfo->image_height) {
        // libjpeg takes non-const rows but only reads them.
        JSAMPROW row = const_cast<JSAMPROW>(job.picture->Row(static_cast<int>(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

int JpegQualityForFactor(int factor) {
    if (factor <= 2) return 100;
    if (factor <= 10) return 100 - (factor - 2) * 5 / 2;  // 4 → 95, 10 → 80
    // 11 … 255 from 80 down to 1.
    const double t = (std::min(factor, 255) - 10) / 245.0;
    return std::max(1, static_cast<int>(std::lround(80.0 - 79.0 * t)));
}

std::string EncodeJpeg(const RgbBuffer& picture, const JpegSettings& settings, const std::string& iccProfile,
                       const std::string& exifApp1) {
    if (picture.Empty()) throw ImagingFault(kLeadNoPicture, "no picture to encode");
    EncodeJob job;
    job.picture = &picture;
    job.settings = settings;
    job.settings.quality = std::clamp(settings.quality, 1, 100);
    job.icc = &iccProfile;
    job.exif = &exifApp1;
    if (!RunEncode(job)) throw ImagingFault(job.trap.code, std::string("JPEG encoder: ") + job.trap.message);
    return std::move(job.output);
}

}  // namespace wexbo
