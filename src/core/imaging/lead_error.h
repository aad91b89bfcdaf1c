// Result codes of the image component, their texts, and the error it raises.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace wexbo {

// Result codes: 1 is success, everything else an error. The texts are in LeadErrorText.
inline constexpr int kLeadSuccess = 1;
inline constexpr int kLeadFailure = 0;           // an internal fault
inline constexpr int kLeadNoMemory = -1;         // not enough memory for the picture
inline constexpr int kLeadNoPicture = -2;        // the component holds no picture
inline constexpr int kLeadPictureTooLarge = -3;  // larger than the component handles
inline constexpr int kLeadFileNotFound = -4;
inline constexpr int kLeadFileRead = -5;            // the file exists but cannot be read
inline constexpr int kLeadFileWrite = -6;           // the file cannot be created or written
inline constexpr int kLeadNotJpeg = -7;             // not a JPEG file
inline constexpr int kLeadCorruptFile = -8;         // damaged or truncated picture data
inline constexpr int kLeadUnsupportedJpeg = -9;     // a JPEG variant the component does not read
inline constexpr int kLeadInvalidParameter = -10;   // an argument outside what the operation takes
inline constexpr int kLeadUnsupportedFormat = -11;  // a save format or colour depth not offered
inline constexpr int kLeadUnknownFormat = -12;      // bytes of no picture format the component reads

// The text for a result code; "Undefined Error: " followed by the code for a code outside the table.
std::string LeadErrorText(int code);

// Raised by every failed operation of TLEADImage. what() is the message shown to the user, for
// example "LEADImage1 \nSave: Image not allocated." or
// "LEADImage1 \nError code: -4\nLoad: File not found ".
class ELeadImageError : public std::runtime_error {
public:
    ELeadImageError(const std::string& message, int code, std::string detail = {})
        : std::runtime_error(message), code_(code), detail_(std::move(detail)) {}
    int Code() const noexcept { return code_; }
    // The file and what exactly went wrong, for a log ("/p/a.jpg: Premature end of JPEG file");
    // may be empty.
    const std::string& Detail() const noexcept { return detail_; }

private:
    int code_;
    std::string detail_;
};

}  // namespace wexbo
