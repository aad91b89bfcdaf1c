#include "imaging/lead_image_view.h"

#include <memory>

namespace wexbo {

namespace {

using Shared = std::shared_ptr<const RgbBuffer>;

void Release(void* picture) { delete static_cast<Shared*>(picture); }

}  // namespace

QImage LeadImageView(const TLEADImage& image) {
    Shared picture = image.Snapshot();
    if (!picture) return {};
    // The const constructor: Qt never writes into the buffer, it copies first when asked to change it.
    const std::uint8_t* data = picture->Data();
    return QImage(data, picture->Width(), picture->Height(), static_cast<qsizetype>(picture->Stride()),
                  QImage::Format_RGB888, Release, new Shared(std::move(picture)));
}

}  // namespace wexbo
