#include "decoders/IconFrames.h"

#include <QtEndian>

namespace {

constexpr qint64 DirectoryHeader = 6; // reserved, type (1 icon, 2 cursor), count
constexpr qint64 DirectoryEntry = 16;
constexpr qint64 InfoHeader = 40; // the bitmap's own header, as icons store it
constexpr int LargestSide = 4096; // beyond any icon; a header claiming more is not believed

// Little-endian reads that the caller has bounded.
quint16 le16(const QByteArray& b, qint64 at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 le32(const QByteArray& b, qint64 at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

bool fits(const QByteArray& b, qint64 at, qint64 length) {
    return at >= 0 && length >= 0 && at <= b.size() - length;
}

int pngBits(int depth, int colourType) {
    switch (colourType) {
    case 0: // grey
    case 3: // palette
        return depth;
    case 2: // RGB
        return depth * 3;
    case 4: // grey and alpha
        return depth * 2;
    case 6: // RGBA
        return depth * 4;
    default:
        return 0;
    }
}

// What the frame's own header says, over what its directory entry says.
void readFrameHeader(const QByteArray& bytes, IconFrame& frame) {
    const qint64 at = frame.offset;
    if (fits(bytes, at, 26) && bytes.mid(at, 8) == "\x89PNG\r\n\x1a\n") {
        // The IHDR chunk comes first: width, height, bit depth, colour type.
        const auto* ihdr = reinterpret_cast<const uchar*>(bytes.constData() + at + 16);
        const quint32 w = qFromBigEndian<quint32>(ihdr);
        const quint32 h = qFromBigEndian<quint32>(ihdr + 4);
        frame.png = true;
        if (w > 0 && h > 0 && w <= LargestSide && h <= LargestSide)
            frame.size = QSize(int(w), int(h));
        frame.bits = pngBits(ihdr[8], ihdr[9]);
        return;
    }
    if (!fits(bytes, at, InfoHeader) || le32(bytes, at) < InfoHeader)
        return;
    // The bitmap's height counts the colour bitmap and the mask together.
    const qint32 w = qint32(le32(bytes, at + 4));
    const qint32 h = qint32(le32(bytes, at + 8)) / 2;
    if (w > 0 && h > 0 && w <= LargestSide && h <= LargestSide)
        frame.size = QSize(w, h);
    const quint16 bits = le16(bytes, at + 14);
    if (bits >= 1 && bits <= 32)
        frame.bits = bits;
}

int bitsFromColourCount(int colours) {
    int bits = 0;
    while (bits < 8 && (1 << bits) < colours)
        ++bits;
    return bits;
}

} // namespace

std::vector<IconFrame> iconFrames(const QByteArray& bytes) {
    if (!fits(bytes, 0, DirectoryHeader) || le16(bytes, 0) != 0 ||
        (le16(bytes, 2) != 1 && le16(bytes, 2) != 2))
        return {};
    const int count = le16(bytes, 4);
    std::vector<IconFrame> frames;
    for (int i = 0; i < count; ++i) {
        const qint64 entry = DirectoryHeader + qint64(i) * DirectoryEntry;
        if (!fits(bytes, entry, DirectoryEntry))
            return {};
        const auto* e = reinterpret_cast<const uchar*>(bytes.constData() + entry);
        IconFrame frame;
        frame.size = QSize(e[0] != 0 ? e[0] : 256, e[1] != 0 ? e[1] : 256);
        // In an icon the entry's bit count, else the colour count, tells the depth; a cursor
        // keeps its hot spot there instead.
        const bool icon = le16(bytes, 2) == 1;
        frame.bits = icon && le16(bytes, entry + 6) != 0 ? le16(bytes, entry + 6)
                                                         : bitsFromColourCount(e[2]);
        frame.offset = le32(bytes, entry + 12);
        readFrameHeader(bytes, frame);
        frames.push_back(frame);
    }
    return frames;
}

int bestIconFrame(const std::vector<IconFrame>& frames) {
    int best = -1;
    for (int i = 0; i < int(frames.size()); ++i) {
        if (best < 0) {
            best = i;
            continue;
        }
        const IconFrame& f = frames[size_t(i)];
        const IconFrame& b = frames[size_t(best)];
        const qint64 area = qint64(f.size.width()) * f.size.height();
        const qint64 bestArea = qint64(b.size.width()) * b.size.height();
        if (area > bestArea || (area == bestArea && f.bits > b.bits))
            best = i;
    }
    return best;
}

QImage withIconMask(const QImage& image, const QByteArray& bytes, const IconFrame& frame) {
    if (frame.png || image.size() != frame.size || !fits(bytes, frame.offset, InfoHeader))
        return image;
    const qint64 at = frame.offset;
    const qint64 headerSize = le32(bytes, at);
    const int bits = le16(bytes, at + 14);
    const quint32 compression = le32(bytes, at + 16);
    if (compression != 0 || bits < 1 || bits > 32)
        return image;
    const qint64 used = le32(bytes, at + 32);
    const qint64 colours = used != 0 ? used : (bits <= 8 ? qint64(1) << bits : 0);
    const qint64 w = frame.size.width();
    const qint64 h = frame.size.height();
    // Rows of both bitmaps are padded to four bytes and stored bottom up; the mask follows the
    // colour bitmap, one bit a pixel, set where the picture is transparent.
    const qint64 colourRow = (w * bits + 31) / 32 * 4;
    const qint64 maskRow = (w + 31) / 32 * 4;
    const qint64 maskAt = at + headerSize + colours * 4 + colourRow * h;
    if (colours > 256 || !fits(bytes, maskAt, maskRow * h))
        return image;

    const auto* file = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 pixelsAt = at + headerSize + colours * 4;
    bool ownColours = false; // taken from the file: Qt's reader made them all transparent
    if (bits == 32) {
        // Alpha of its own, unless every alpha byte is zero (icons made before alpha existed).
        for (qint64 i = 0; i < w * h; ++i) {
            if (file[pixelsAt + i * 4 + 3] != 0)
                return image;
        }
        ownColours = true;
    }
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < int(h); ++y) {
        const uchar* mask = file + maskAt + (h - 1 - y) * maskRow;
        const uchar* colour = file + pixelsAt + (h - 1 - y) * colourRow;
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < int(w); ++x) {
            const bool masked = (mask[x / 8] >> (7 - x % 8)) & 1;
            if (ownColours) {
                const uchar* bgra = colour + 4 * qsizetype(x);
                line[x] = qRgb(bgra[2], bgra[1], bgra[0]);
            }
            line[x] = masked ? 0 : (line[x] | 0xFF000000u);
        }
    }
    return out;
}
