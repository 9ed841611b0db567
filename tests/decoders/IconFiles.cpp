#include "IconFiles.h"

#include <QtEndian>

namespace iconfiles {

namespace {

void put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void put32(QByteArray& out, quint32 v) {
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}
void padRow(QByteArray& out, qsizetype rowStart) {
    while ((out.size() - rowStart) % 4 != 0)
        out.append('\0');
}

// The frame as icons store it: info header (twice the height: colours, then mask), colour
// table, colour rows and mask rows, both bottom up.
QByteArray bitmap(const Frame& f) {
    const int w = f.image.width();
    const int h = f.image.height();
    QImage indexed;
    if (f.bits <= 8) {
        // A palette of the picture's own colours, as many as the depth holds.
        QList<QRgb> table;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w && table.size() < (1 << f.bits); ++x) {
                if (!table.contains(f.image.pixel(x, y)))
                    table.append(f.image.pixel(x, y));
            }
        }
        indexed = f.image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
        indexed.setColorCount(1 << f.bits);
    }
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(h * 2));
    put16(out, 1);
    put16(out, quint16(f.bits));
    out.append(24, '\0'); // no compression, sizes and colour counts left to the depth
    if (f.bits <= 8) {
        for (int i = 0; i < (1 << f.bits); ++i)
            put32(out, indexed.color(i) & 0xFFFFFF);
    }
    const QImage argb = f.image.convertToFormat(QImage::Format_ARGB32);
    for (int y = h - 1; y >= 0; --y) {
        const qsizetype row = out.size();
        for (int x = 0; x < w; ++x) {
            const QRgb p = argb.pixel(x, y);
            if (f.bits == 4 && x % 2 == 0)
                out.append(char(indexed.pixelIndex(x, y) << 4));
            else if (f.bits == 4)
                out[out.size() - 1] = char(out[out.size() - 1] | indexed.pixelIndex(x, y));
            else if (f.bits == 8)
                out.append(char(indexed.pixelIndex(x, y)));
            else
                out.append(char(qBlue(p))).append(char(qGreen(p))).append(char(qRed(p)));
            if (f.bits == 32)
                out.append(char(qAlpha(p)));
        }
        padRow(out, row);
    }
    for (int y = h - 1; y >= 0; --y) {
        const qsizetype row = out.size();
        for (int x = 0; x < w; x += 8) {
            uchar bits = 0;
            for (int i = 0; i < 8 && x + i < w; ++i) {
                if (f.masked.contains(x + i, y))
                    bits |= uchar(0x80 >> i);
            }
            out.append(char(bits));
        }
        padRow(out, row);
    }
    return out;
}

} // namespace

QByteArray icon(const std::vector<Frame>& frames) {
    QByteArray directory;
    put16(directory, 0);
    put16(directory, 1);
    put16(directory, quint16(frames.size()));
    QByteArray bitmaps;
    const qsizetype first = 6 + 16 * qsizetype(frames.size());
    for (const Frame& f : frames) {
        const QByteArray b = bitmap(f);
        directory.append(char(f.image.width() & 0xFF));
        directory.append(char(f.image.height() & 0xFF));
        directory.append(char(f.bits == 4 ? 16 : 0));
        directory.append('\0');
        put16(directory, 1);
        put16(directory, quint16(f.bits));
        put32(directory, quint32(b.size()));
        put32(directory, quint32(first + bitmaps.size()));
        bitmaps.append(b);
    }
    return directory + bitmaps;
}

} // namespace iconfiles
