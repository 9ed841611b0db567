#pragma once

#include "decoders/PictureDecoder.h"
#include "decoders/WmfPlayer.h"

#include <optional>

// A Windows metafile drawn by the program's own player.

namespace wmf {

// Where a metafile's picture lies and how large it is.
struct Layout {
    QSize natural; // pixels at 96 dots per inch
    Setup setup;   // its frame, without a target yet
};

// The placeable header's frame where the file has a sane one; else the window the file sets
// before it draws; else what it draws. None when the file is damaged or draws nothing.
std::optional<Layout> layout(const QByteArray& bytes);

// The metafile drawn over the whole of `image`.
void draw(const QByteArray& bytes, const Layout& layout, QImage& image);

} // namespace wmf

// The metafile in `bytes` drawn at the size it is shown at (see metafileCanvasSize).
DecodedPicture decodeWmf(const QByteArray& bytes, const ShownSizeFor& shownSize);
