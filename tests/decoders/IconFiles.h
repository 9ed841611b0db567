#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <vector>

// Icon files written frame by frame, as icon editors write them: each frame a bitmap of the
// depth asked for and its AND mask. No tool of the build machine writes 24-bit frames with a
// mask, nor several frames of one size in a chosen order.
namespace iconfiles {

struct Frame {
    QImage image;  // the colours (and, for 32 bits, the alpha) of the frame
    int bits = 32; // 4, 8, 24 or 32
    QRect masked;  // pixels whose AND mask bit is set: transparent
};

inline Frame frame(const QImage& image, int bits, QRect masked = QRect()) {
    return {image, bits, masked};
}

QByteArray icon(const std::vector<Frame>& frames);

} // namespace iconfiles
