// Feeds arbitrary bytes to the picture loader of every format (JPEG, PNG, WebP, TIFF, HEIF; the
// format comes from the bytes, so one corpus reaches them all): in full, shrunk on load, and through the
// operations that follow a load in the program (resize, frame, save to memory). Any crash, hang, leak or
// sanitizer report is a fault; an ELeadImageError is the expected answer to bad input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "imaging/imaging_fault.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_encoder.h"
#include "imaging/lead_image.h"
#include "imaging/picture_decoder.h"
#include "imaging/resample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wexbo;
    // Tighter bounds than the program's, so one input cannot use up the fuzzer's memory limit.
    DecodeLimits limits;
    limits.maxPixels = 4'000'000;
    limits.maxDecoderMemory = 256L * 1024 * 1024;
    limits.maxScans = 500;
    const int target = size ? data[size - 1] % 4 : 0;  // vary the scale from the input itself
    try {
        DecodeRequest request;
        request.targetHeight = target == 0 ? 0 : 70 * target;
        request.background = {0x20, 0x40, 0x60};
        request.limits = limits;
        DecodedPicture picture = DecodePictureMemory(data, size, request, "fuzz");
        const RgbBuffer small = ResizeBicubic(picture.pixels, 93, 70);
        TLEADImage image("Fuzz");
        image.SetPicture(small.Clone(), picture.iccProfile);
        image.FramePicture(2, 0xEAEAEA, 0xFFFFFF);
        image.Rotate(9000);
        const std::string jpeg = EncodeJpeg(*image.Snapshot(), {95}, picture.iccProfile);
        DecodeJpegMemory(jpeg.data(), jpeg.size(), 0, 0, "fuzz-out", limits);
    } catch (const ImagingFault&) {
    } catch (const ELeadImageError&) {
    }
    // The component's own entry points, with the program's bounds but a small target: from memory,
    // and from a file, which goes through the loader's own file reader.
    try {
        TLEADImage image("Fuzz");
        image.LoadFromMemory(data, size, 0, 70);
    } catch (const ELeadImageError&) {
    }
    static const std::string file = [] {
        std::string name = "/tmp/wexbo-fuzz-" + std::to_string(::getpid()) + ".jpg";
        std::atexit([] { std::remove(("/tmp/wexbo-fuzz-" + std::to_string(::getpid()) + ".jpg").c_str()); });
        return name;
    }();
    if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
        try {
            TLEADImage image("Fuzz");
            image.LoadForSize(file, 0, 70);
        } catch (const ELeadImageError&) {
        }
    }
    return 0;
}
