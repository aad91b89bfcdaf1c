// The five language flags, drawn rather than shipped as pictures.
#pragma once

#include <QPixmap>
#include <QString>

#include "app/language.h"

namespace wexbo {

// A flag of `width` x `height` pixels for a language.
QPixmap PaintFlag(Language language, int width, int height);

}  // namespace wexbo
