#include "workspace/picture_transform.h"

#include <filesystem>

#include "album/album_store.h"
#include "imaging/lead_image.h"
#include "imaging/thumbnail_maker.h"

namespace fs = std::filesystem;

namespace wexbo {

std::optional<TransformKind> ParseTransformKeyword(const std::string& keyword) {
    if (keyword == "90") return TransformKind::RotateRight;
    if (keyword == "-90") return TransformKind::RotateLeft;
    if (keyword == "180") return TransformKind::RotateHalf;
    if (keyword == "FlipV") return TransformKind::MirrorLeftRight;
    if (keyword == "FlipH") return TransformKind::MirrorTopBottom;
    return std::nullopt;
}

void ApplyTransform(TLEADImage& image, TransformKind kind) {
    switch (kind) {
        case TransformKind::RotateRight:
            image.Rotate(9000, kLeadRotateResize, kLeadWhite);
            break;
        case TransformKind::RotateLeft:
            image.Rotate(27000, kLeadRotateResize, kLeadWhite);
            break;
        case TransformKind::RotateHalf:
            image.Rotate(18000, kLeadRotateResize, kLeadWhite);
            break;
        case TransformKind::MirrorLeftRight:
            image.Reverse();
            break;
        case TransformKind::MirrorTopBottom:
            image.Flip();
            break;
    }
}

TransformResult TransformAlbumPicture(AlbumStore& store, std::size_t index, TLEADImage& image,
                                      const std::string& keyword) {
    TransformResult result;
    const std::optional<TransformKind> kind = ParseTransformKeyword(keyword);
    if (!kind || index >= store.Pictures().size()) {
        result.errorText = "Unknown transform " + keyword;
        return result;
    }
    const std::string path = store.ResolveAlbumPicturePath(index);
    try {
        image.Load(path);
        ApplyTransform(image, *kind);
        image.Save(path);
    } catch (const ELeadImageError& error) {
        result.errorText = LeadErrorText(error.Code());
        return result;
    }
    RefreshAlbumThumbnail(store, index);
    result.ok = true;
    return result;
}

std::string RefreshAlbumThumbnail(AlbumStore& store, std::size_t index) {
    if (index >= store.Pictures().size()) return {};
    const std::string path = store.ResolveAlbumPicturePath(index);
    const std::string fileName = store.Pictures()[index].fileName;
    const std::string folder = store.AlbumFolder();
    std::string copy;
    std::error_code ec;
    for (int n = 1;; ++n) {
        copy = folder + "_THUMB_" + std::to_string(n) + fileName;
        if (!fs::exists(fs::symlink_status(copy, ec))) break;
    }
    MakeThumbnail(store.CacheFolder(), path, 70, false, true, store.Counters());
    fs::copy_file(store.AlbumThumbnailPath(fileName), copy, fs::copy_options::overwrite_existing, ec);
    store.SetThumbnail(index, copy);
    return copy;
}

}  // namespace wexbo
