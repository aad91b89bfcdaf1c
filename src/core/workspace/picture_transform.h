// The five picture transforms of the workspace: turn and mirror an album picture in place.
#pragma once

#include <optional>
#include <string>

namespace wexbo {

class AlbumStore;
class TLEADImage;

enum class TransformKind { RotateRight, RotateLeft, RotateHalf, MirrorLeftRight, MirrorTopBottom };

// "90", "-90", "180", "FlipV" (left and right exchanged), "FlipH" (top and bottom exchanged).
std::optional<TransformKind> ParseTransformKeyword(const std::string& keyword);

// Applies the transform to the picture the component holds (raises ELeadImageError).
void ApplyTransform(TLEADImage& image, TransformKind kind);

struct TransformResult {
    bool ok = false;
    std::string errorText;  // shown as "An error occured in your application, \n" + errorText
};

// Transforms the picture of album entry `index` and saves it over the album's copy, then refreshes
// its thumbnail (RefreshAlbumThumbnail). The picture is always loaded afresh, in full, from the
// entry's own file into `image`, so a transform never writes one picture over another's file
// (whatever a preview happens to show) nor a shrunk preview over the original. On failure the
// entry, its thumbnail and the picture file stay as they were.
TransformResult TransformAlbumPicture(AlbumStore& store, std::size_t index, TLEADImage& image,
                                      const std::string& keyword);

// Remakes the album thumbnail of entry `index` from its saved picture (forced), copies it to the
// first free "_THUMB_" + n + file name and points the picture at that copy (so a list that caches
// pictures by file name shows the new one), keeping the caption. Returns the copy's path.
std::string RefreshAlbumThumbnail(AlbumStore& store, std::size_t index);

}  // namespace wexbo
