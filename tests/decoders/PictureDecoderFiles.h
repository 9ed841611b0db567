#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

// Pictures Qt encodes, and a JPEG no tool of the build machine makes quickly.
namespace picturefiles {

// `image` encoded by Qt in `format` ("jpg", "bmp", "ico", ...).
QByteArray encoded(const QImage& image, const char* format, int quality = 90);

// A filled image whose left half is `left` and right half `right`.
QImage halves(int width, int height, QColor left, QColor right);

// A grey baseline JPEG of any size whose blocks are all flat: a few bytes per 32 pixels, so a
// 16,000 x 12,000 file is quick to make. `scanBytes` limits the data written (0: all of it),
// to make a header that claims more pixels than the file holds.
QByteArray flatGreyJpeg(int width, int height, qint64 scanBytes = 0);

} // namespace picturefiles
