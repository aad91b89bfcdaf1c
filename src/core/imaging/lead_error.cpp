#include "imaging/lead_error.h"

namespace wexbo {

std::string LeadErrorText(int code) {
    switch (code) {
        case kLeadSuccess:
            return "No error";
        case kLeadFailure:
            return "Internal error";
        case kLeadNoMemory:
            return "Not enough memory for the picture";
        case kLeadNoPicture:
            return "No picture loaded";
        case kLeadPictureTooLarge:
            return "The picture is too large";
        case kLeadFileNotFound:
            return "File not found";
        case kLeadFileRead:
            return "The file cannot be read";
        case kLeadFileWrite:
            return "The file cannot be written";
        case kLeadNotJpeg:
            return "Not a JPEG picture";
        case kLeadCorruptFile:
            return "The picture data is damaged or incomplete";
        case kLeadUnsupportedJpeg:
            return "This kind of JPEG picture is not supported";
        case kLeadInvalidParameter:
            return "Invalid parameter";
        case kLeadUnsupportedFormat:
            return "File format or colour depth not supported";
        case kLeadUnknownFormat:
            return "Not a picture in a format the program reads";
        default:
            return "Undefined Error: " + std::to_string(code);
    }
}

}  // namespace wexbo
