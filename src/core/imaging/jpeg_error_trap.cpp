#include "imaging/jpeg_error_trap.h"

#include <cstring>

#include "imaging/lead_error.h"

namespace wexbo {

namespace {

int CodeForMessage(int messageCode) {
    switch (messageCode) {
        case JERR_NO_SOI:
        case JERR_INPUT_EMPTY:
            return kLeadNotJpeg;
        case JERR_FILE_READ:
            return kLeadFileRead;
        case JERR_OUT_OF_MEMORY:
            return kLeadNoMemory;
        case JERR_IMAGE_TOO_BIG:
        case JERR_WIDTH_OVERFLOW:
        case JERR_NO_BACKING_STORE:
            return kLeadPictureTooLarge;
        case JERR_BAD_PRECISION:
        case JERR_NOT_COMPILED:
        case JERR_NOTIMPL:
        case JERR_SOF_UNSUPPORTED:
        case JERR_ARITH_NOTIMPL:
        case JERR_CONVERSION_NOTIMPL:
            return kLeadUnsupportedJpeg;
        default:
            return kLeadCorruptFile;
    }
}

bool IsDamage(int messageCode) {
    switch (messageCode) {
        case JWRN_JPEG_EOF:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_HIT_MARKER:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
            return true;
        default:
            return false;
    }
}

JpegErrorTrap& TrapOf(j_common_ptr cinfo) { return *reinterpret_cast<JpegErrorTrap*>(cinfo->err); }

void OnErrorExit(j_common_ptr cinfo) {
    JpegErrorTrap& trap = TrapOf(cinfo);
    (*cinfo->err->format_message)(cinfo, trap.message);
    trap.code = CodeForMessage(cinfo->err->msg_code);
    std::longjmp(trap.jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace messages: nothing to show
    JpegErrorTrap& trap = TrapOf(cinfo);
    if (trap.damageIsFatal && IsDamage(cinfo->err->msg_code)) {
        (*cinfo->err->format_message)(cinfo, trap.message);
        trap.code = kLeadCorruptFile;
        std::longjmp(trap.jump, 1);
    }
    ++cinfo->err->num_warnings;
}

void OnOutputMessage(j_common_ptr) {}  // never print to stderr

}  // namespace

jpeg_error_mgr* InstallErrorTrap(JpegErrorTrap& trap) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnErrorExit;
    trap.manager.emit_message = OnMessage;
    trap.manager.output_message = OnOutputMessage;
    trap.code = kLeadFailure;
    trap.message[0] = '\0';
    trap.damageIsFatal = true;
    return &trap.manager;
}

void LeaveWithError(j_common_ptr cinfo, int code, const char* text) {
    JpegErrorTrap& trap = TrapOf(cinfo);
    std::strncpy(trap.message, text, sizeof trap.message - 1);
    trap.message[sizeof trap.message - 1] = '\0';
    trap.code = code;
    std::longjmp(trap.jump, 1);
}

}  // namespace wexbo
