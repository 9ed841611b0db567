#pragma once

#include "pictures/DecodedPicture.h"

#include <QString>

class QIODevice;

// Reads the header first, asks `shownSize` for the size to decode at, and decodes at that size
// when it is smaller than the natural one. Any failure gives a DecodedPicture that is not ok().
DecodedPicture decodePicture(const QString& path, const ShownSizeFor& shownSize);

// The same for a file already open for reading (it must allow seeking); `suffix` is the
// extension of its name, which tells bare DIB and RLE bitmaps apart.
DecodedPicture decodePicture(QIODevice& file, const QString& suffix, const ShownSizeFor& shownSize);
