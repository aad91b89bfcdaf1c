// The faults every decoder reports alike, with texts that start with the file's name.
#pragma once

#include <new>
#include <stdexcept>
#include <string>

#include "imaging/decoded_picture.h"
#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"

namespace wexbo {

[[noreturn]] inline void FailDecode(int code, const std::string& sourceName, const std::string& what) {
    throw ImagingFault(code, sourceName + ": " + what);
}

// Runs a decode, turning the standard library's memory faults into the component's: memory that
// is not there, and a size beyond what a buffer can hold.
template <typename Body>
DecodedPicture WithMemoryFaults(const std::string& sourceName, Body&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        FailDecode(kLeadNoMemory, sourceName, LeadErrorText(kLeadNoMemory));
    } catch (const std::length_error&) {
        FailDecode(kLeadPictureTooLarge, sourceName, LeadErrorText(kLeadPictureTooLarge));
    }
}

}  // namespace wexbo
