#pragma once

#include "decoders/WmfRecords.h"

#include <QImage>

namespace wmf {

// The bitmap a device-independent bitmap (info header, colour table, pixels) holds, or a null
// image when it is damaged or larger than a bitmap in a drawing has reason to be.
QImage dibImage(const QByteArray& dib);

// An old device-dependent bitmap whose header starts at parameter word `header` and whose bits
// start at word `bits`: one bit (0 black, 1 white) or 24 and 32 bits to the pixel.
QImage bitmap16Image(const Record& r, qsizetype header, qsizetype bits);

} // namespace wmf
