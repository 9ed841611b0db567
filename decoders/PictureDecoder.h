#pragma once

#include <functional>
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

// A picture file decoded for showing: the natural size (pixels, orientation applied) and the
// image decoded at the size it will be shown at (never larger than needed).
struct DecodedPicture {
    QImage image;      // null when the file could not be decoded
    QSize naturalSize; // the picture's own size, EXIF orientation applied
    bool ok() const { return !image.isNull() && naturalSize.isValid(); }
};

// Given the natural size, the size (pixels) the picture will be shown at.
using ShownSizeFor = std::function<QSize(QSize natural)>;

// Reads the header first, asks `shownSize` for the size to decode at, and decodes at that size
// when it is smaller than the natural one. Any failure gives a DecodedPicture that is not ok().
DecodedPicture decodePicture(const QString& path, const ShownSizeFor& shownSize);

// The same for a file already open for reading (it must allow seeking); `suffix` is the
// extension of its name, which tells bare DIB and RLE bitmaps apart.
DecodedPicture decodePicture(QIODevice& file, const QString& suffix, const ShownSizeFor& shownSize);
