// Writes what bench/web_quality.sh compares: each picture resized as the gallery resizes it (the
// shorter side SIZE pixels, bicubic), once lossless as a PPM file and once as a JPEG file for each
// setting tried: progressive, quality 60 to 95, colour at 4:2:2 and at 4:2:0.
//   wexbo_web_quality SIZE OUTPUT_FOLDER PICTURE...
// Files: OUTPUT_FOLDER/N.ppm and OUTPUT_FOLDER/N_qQ_422.jpg, N_qQ_420.jpg (N numbers the pictures).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gallery/web_pictures.h"
#include "imaging/jpeg_encoder.h"
#include "imaging/lead_image.h"
#include "util/files.h"
#include "util/strings.h"

namespace {

bool WritePpm(const wexbo::RgbBuffer& picture, const std::string& file) {
    std::string bytes =
        "P6\n" + std::to_string(picture.Width()) + " " + std::to_string(picture.Height()) + "\n255\n";
    for (int y = 0; y < picture.Height(); ++y)
        bytes.append(reinterpret_cast<const char*>(picture.Row(y)),
                     static_cast<std::size_t>(picture.Width()) * 3);
    return wexbo::WriteNewFile(file, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s SIZE OUTPUT_FOLDER PICTURE...\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    const std::string out = wexbo::AddTrailingBackslash(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const std::string number = std::to_string(i - 2);
        try {
            wexbo::TLEADImage image;
            image.LoadForSize(argv[i], size, size);
            const wexbo::PixelSize target =
                wexbo::TargetSizes(image.FileWidth(), image.FileHeight(), size, size).fullSize;
            if (image.Width() < image.FileWidth()) image.LoadForSize(argv[i], target.width, target.height);
            image.Size(target.width, target.height, wexbo::kLeadSizeBicubic);
            const auto picture = image.Snapshot();
            if (!WritePpm(*picture, out + number + ".ppm"))
                throw std::runtime_error("cannot write the PPM file");
            for (int quality = 60; quality <= 95; quality += 5)
                for (const bool halfHeight : {false, true}) {
                    const std::string name = out + number + "_q" + std::to_string(quality) +
                                             (halfHeight ? "_420" : "_422") + ".jpg";
                    wexbo::JpegSettings settings{quality, false, true, halfHeight};
                    if (!wexbo::WriteNewFile(name, wexbo::EncodeJpeg(*picture, settings, "")))
                        throw std::runtime_error("cannot write " + name);
                }
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.what());
            return 1;
        }
    }
    return 0;
}
