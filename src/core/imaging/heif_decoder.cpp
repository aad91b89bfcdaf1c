#include "imaging/heif_decoder.h"

#include "imaging/imaging_fault.h"
#include "imaging/lead_error.h"

namespace wexbo {

// Being written: no file of this format is read yet.
DecodedPicture DecodeHeifMemory(const void*, std::size_t, const DecodeRequest&,
                                const std::string& sourceName) {
    throw ImagingFault(kLeadUnsupportedFormat, sourceName + ": " + LeadErrorText(kLeadUnsupportedFormat));
}

bool ReadHeifSize(const void*, std::size_t, int&, int&) { return false; }

}  // namespace wexbo
