// An error manager for libjpeg that hands control back to our code instead of ending the program.
//
// libjpeg reports fatal errors through error_exit, which must not return. Ours stores a result code
// and the library's message and jumps back to the setjmp of the function that drives the library;
// that function keeps all its state in a struct in memory (not in locals changed after setjmp) and
// runs no destructors between setjmp and the jump.
#pragma once

#include <csetjmp>

#include "imaging/libjpeg.h"

namespace wexbo {

struct JpegErrorTrap {
    jpeg_error_mgr manager;  // first member: libjpeg sees only this part
    std::jmp_buf jump;
    int code;
    char message[JMSG_LENGTH_MAX];
    // Damaged-data warnings (truncated file, bad Huffman code …) end the decode as errors
    // instead of giving a picture with grey or smeared parts.
    bool damageIsFatal;
};

// Makes `trap` the error manager; returns the pointer to put into cinfo.err.
jpeg_error_mgr* InstallErrorTrap(JpegErrorTrap& trap);

// Ends the running library call with our own code and text (from a progress monitor, say).
[[noreturn]] void LeaveWithError(j_common_ptr cinfo, int code, const char* text);

}  // namespace wexbo
