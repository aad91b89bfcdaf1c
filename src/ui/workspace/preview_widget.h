// The preview area: one picture, fitted into the area with its proportions, on black.
#pragma once

#include <QImage>
#include <QWidget>

#include "imaging/lead_image.h"

namespace wexbo {

class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget* parent = nullptr);

    // Loads a picture for display (decoded at the scale the area needs); false when it cannot be
    // read, which leaves the area as it was.
    bool ShowPicture(const std::string& path);
    void Clear();
    // The picture shown, for tests: its full size on disk.
    QSize PictureSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TLEADImage image_{"LEADImage2"};
    QImage shown_;  // a view over the component's picture, no copy
};

}  // namespace wexbo
