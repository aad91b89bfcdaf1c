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
    // Everything read from the picture before it moves into the keeper.
    const std::uint8_t* data = picture->Data();
    const int width = picture->Width();
    const int height = picture->Height();
    const auto stride = static_cast<qsizetype>(picture->Stride());
    return QImage(data, width, height, stride, QImage::Format_RGB888, Release,
                  new Shared(std::move(picture)));
}

}  // namespace wexbo
