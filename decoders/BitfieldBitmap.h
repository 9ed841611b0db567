#pragma once

#include <QImage>
#include <QSize>

class QIODevice;

// BMP files whose pixels are bit fields (16 or 32 bits a pixel, each colour where its mask
// says), read by the program itself where Qt's reader refuses them: info headers of 40, 52, 56,
// 108 and 124 bytes, the masks in the header or after a 40-byte one, BI_BITFIELDS and
// BI_ALPHABITFIELDS. Both functions read from the device's start and are safe on any bytes.

// The bitmap's size, from its headers; invalid when the file is no such bitmap or its pixels
// would run past its end.
QSize bitfieldBitmapSize(QIODevice& file);

// The bitmap's pixels; null when bitfieldBitmapSize refuses it or the pixels cannot be read.
QImage readBitfieldBitmap(QIODevice& file);
