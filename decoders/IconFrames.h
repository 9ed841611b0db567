#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <vector>

// The frames of an icon or cursor file, read by the program itself: which frame Qt's reader is
// asked for, and the AND mask Qt leaves unapplied on some frames.

struct IconFrame {
    QSize size;        // pixels
    int bits = 0;      // bits per pixel: the number of colours it can hold
    bool png = false;  // stored as PNG, which carries its own transparency
    qint64 offset = 0; // where the frame's bitmap starts in the file
};

// The frames listed in the directory of the icon or cursor file `bytes`, in the file's order;
// empty when `bytes` starts no such file. A frame's own header overrides its directory entry,
// which is often wrong. Safe on any bytes.
std::vector<IconFrame> iconFrames(const QByteArray& bytes);

// The frame that looks best when shown large: of the largest ones, the one with the most
// colours, then the first of those. -1 when there are none.
int bestIconFrame(const std::vector<IconFrame>& frames);

// `image`, frame `frame` of the file `bytes` as Qt decoded it, with the frame's AND mask
// applied: a masked pixel is transparent, every other one opaque. A frame with an alpha channel
// of its own (a PNG, a 32-bit bitmap with any alpha) keeps it. `image` comes back unchanged when
// the mask does not lie within the file or the image is not of the frame's size.
QImage withIconMask(const QImage& image, const QByteArray& bytes, const IconFrame& frame);
