// The five language flags, drawn rather than shipped as pictures.
#pragma once

#include <QPixmap>
#include <QString>

namespace wexbo {

// A flag of `width` x `height` pixels for a language code ("GERMAN", "ENGLISH", "FRANCE",
// "ITALIAN", "SPAIN").
QPixmap PaintFlag(const QString& languageCode, int width, int height);

}  // namespace wexbo
