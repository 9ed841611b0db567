#pragma once

#include <QSize>

// How large a picture the loader accepts. Photos and panoramas reach a few hundred megapixels;
// a file claiming more is almost certainly crafted to exhaust memory (a decompression bomb), so
// it is refused from its header, before anything is allocated for it.
namespace picturelimits {

// Widest or tallest side accepted: JPEG cannot describe more, and no camera or stitcher
// produces more.
constexpr int maxSide = 65535;

// Most pixels accepted: twice the largest panoramas we promise to show (200 megapixels).
constexpr qint64 maxPixels = 400'000'000;

// The reader's allocation ceiling in megabytes: a picture at the pixel ceiling decoded at full
// size in 32-bit colour (formats that cannot decode at a reduced size, such as BMP), plus room
// for the decoder's own buffers.
constexpr int allocationLimitMB = 1700;

// True when a header claiming `size` may be decoded.
bool acceptable(QSize size);

} // namespace picturelimits
