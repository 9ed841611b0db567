#pragma once

#include "pictures/DecodedPicture.h"

#include <QString>

// Where the program's pictures are decoded. The program asks its confined decoder helpers
// (DecoderPool); whatever answers must answer as decodePicture does.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    // What decodePicture(path, shownSize) gives for the file as it is now. `shownSize` is
    // called on the caller's thread. Safe to call from several threads at once.
    virtual DecodedPicture decode(const QString& path, const ShownSizeFor& shownSize) = 0;
};
