#include "album/album_picture_copy.h"

#include "imaging/camera_exif.h"
#include "imaging/jpeg_encoder.h"
#include "imaging/lead_image.h"
#include "util/files.h"

namespace wexbo {

namespace {

constexpr int kAlbumCopyQualityFactor = 4;  // JPEG quality 95, as every picture the program saves

std::string ProblemText(const ELeadImageError& error, const std::string& path) {
    const std::string text = LeadErrorText(error.Code());
    std::string detail = error.Detail();
    if (detail.rfind(path + ": ", 0) == 0) detail.erase(0, path.size() + 2);
    return "Cannot read the picture " + path + ": " + text +
           (detail.empty() || detail == text ? "" : " (" + detail + ")");
}

}  // namespace

std::string AlbumNameFor(const std::string& sourceName, PictureFormat format) {
    if (format == PictureFormat::Jpeg) return sourceName;
    const std::size_t dot = sourceName.find_last_of('.');
    return (dot == std::string::npos || dot == 0 ? sourceName : sourceName.substr(0, dot)) + ".jpg";
}

std::string PictureProblem(const std::string& sourcePath) {
    TLEADImage image;
    try {
        image.LoadForSize(sourcePath, 0, 70);  // the thumbnail's size: cheap, and every byte checked
    } catch (const ELeadImageError& error) {
        return ProblemText(error, sourcePath);
    }
    return {};
}

std::string WriteJpegCopy(const std::string& sourcePath, const std::string& target) {
    TLEADImage image;
    std::string bytes;
    try {
        image.Load(sourcePath);
    } catch (const ELeadImageError& error) {
        return ProblemText(error, sourcePath);
    }
    try {
        bytes = EncodeJpeg(*image.Snapshot(), {JpegQualityForFactor(kAlbumCopyQualityFactor)},
                           image.IccProfile(), CameraExif(image.Exif()));
    } catch (const std::exception& error) {
        return "Cannot write the album copy " + target + ": " + error.what();
    }
    std::string why;
    if (!WriteFileAtomically(target, bytes, &why))
        return "Cannot write the album copy " + target + ": " + why;
    return {};
}

}  // namespace wexbo
