// The internal failure of an imaging step: a result code and what went wrong. TLEADImage turns it
// into ELeadImageError with its message format.
#pragma once

#include <stdexcept>
#include <string>

namespace wexbo {

class ImagingFault : public std::runtime_error {
public:
    ImagingFault(int code, const std::string& detail) : std::runtime_error(detail), code_(code) {}
    int Code() const noexcept { return code_; }

private:
    int code_;
};

}  // namespace wexbo
