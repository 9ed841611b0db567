#pragma once

#include "platform/gui/WmfRecords.h"

#include <QImage>
#include <QPainter>

namespace wmf {

// The bitmap a device-independent bitmap (info header, colour table, pixels) holds, or a null
// image when it is damaged or larger than a bitmap in a drawing has reason to be.
QImage dibImage(const QByteArray& dib);

// An old device-dependent bitmap whose header starts at parameter word `header` and whose bits
// start at word `bits`: one bit (0 black, 1 white) or 24 and 32 bits to the pixel.
QImage bitmap16Image(const Record& r, qsizetype header, qsizetype bits);

// How a raster operation combines a bitmap with what is drawn: the ones drawings use to
// make a bitmap's background transparent (a mask ANDed, then the picture ORed or XORed)
// become a bitmap whose neutral colour is transparent.
struct RasterOp {
    bool draws = true;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    QRgb transparent = 0; // the colour made transparent, with `keyed`
    bool keyed = false;
    bool inverted = false; // the source's colours inverted first
};
RasterOp rasterOp(quint32 rop);

// `image` prepared for drawing with `op`.
QImage applied(const QImage& image, const RasterOp& op);

} // namespace wmf
