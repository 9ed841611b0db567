#pragma once

#include <functional>
#include <QImage>
#include <QSize>

// A picture file decoded for showing: the natural size (pixels, orientation applied) and the
// image decoded at the size it will be shown at (never larger than needed).
struct DecodedPicture {
    QImage image;      // null when the file could not be decoded
    QSize naturalSize; // the picture's own size, EXIF orientation applied
    bool ok() const { return !image.isNull() && naturalSize.isValid(); }
};

// Given the natural size, the size (pixels) the picture will be shown at.
using ShownSizeFor = std::function<QSize(QSize natural)>;
