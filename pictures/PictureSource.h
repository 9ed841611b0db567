#pragma once

#include "pictures/DecodedPicture.h"

#include <QString>
#include <stop_token>

// Where the program's pictures are decoded. The program asks its confined decoder helpers
// (DecoderPool); whatever answers must answer as decodePicture does.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    // What decodePicture(path, shownSize) gives for the file as it is now. `shownSize` is
    // called on the caller's thread. Safe to call from several threads at once. A stop asked
    // for on `stop` (from any thread) ends the decode at once, and with it whatever decodes it:
    // nothing then.
    virtual DecodedPicture decode(const QString& path, const ShownSizeFor& shownSize,
                                  std::stop_token stop = {}) = 0;
};
