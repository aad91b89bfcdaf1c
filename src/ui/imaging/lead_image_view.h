// Showing the image component's picture in Qt without copying its pixels.
#pragma once

#include <QImage>

#include "imaging/lead_image.h"

namespace wexbo {

// A QImage (Format_RGB888) over the component's current picture. The image keeps that picture
// alive and unchanged however the component goes on; a null QImage when there is no picture.
QImage LeadImageView(const TLEADImage& image);

}  // namespace wexbo
