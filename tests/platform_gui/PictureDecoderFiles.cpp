#include "PictureDecoderFiles.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

namespace picturefiles {

namespace {

void put16le(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void put32le(QByteArray& out, quint32 v) {
    put16le(out, quint16(v & 0xFFFF));
    put16le(out, quint16(v >> 16));
}
void put16be(QByteArray& out, quint16 v) {
    out.append(char(v >> 8));
    out.append(char(v & 0xFF));
}

// A JPEG segment: marker, length, contents.
void segment(QByteArray& out, uchar marker, const QByteArray& body) {
    out.append(char(0xFF));
    out.append(char(marker));
    put16be(out, quint16(body.size() + 2));
    out.append(body);
}

} // namespace

QByteArray encoded(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QImage halves(int width, int height, QColor left, QColor right) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, left);
    painter.fillRect(width / 2, 0, width - width / 2, height, right);
    return image;
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    QByteArray exif("Exif\0\0", 6);
    exif.append("II*\0", 4);
    put32le(exif, 8); // the first directory follows the TIFF header
    put16le(exif, 1); // one entry
    put16le(exif, 0x0112);
    put16le(exif, 3); // SHORT
    put32le(exif, 1);
    put16le(exif, quint16(orientation));
    put16le(exif, 0);
    put32le(exif, 0); // no further directory
    QByteArray out = jpeg.left(2);
    segment(out, 0xE1, exif);
    out.append(jpeg.mid(2));
    return out;
}

QByteArray flatGreyJpeg(int width, int height, qint64 scanBytes) {
    QByteArray out("\xFF\xD8", 2);
    QByteArray dqt(1, '\0');
    dqt.append(64, '\1');
    segment(out, 0xDB, dqt);
    QByteArray sof;
    sof.append(char(8));
    put16be(sof, quint16(height));
    put16be(sof, quint16(width));
    sof.append("\x01\x01\x11\x00", 4); // one component, no subsampling, table 0
    segment(out, 0xC0, sof);
    // Huffman tables of one code each ("0"): DC difference 0, and AC end of block.
    QByteArray dc(1, '\x00');
    QByteArray counts(16, '\0');
    counts[0] = 1;
    dc.append(counts);
    dc.append('\0');
    segment(out, 0xC4, dc);
    QByteArray ac(1, '\x10');
    ac.append(counts);
    ac.append('\0');
    segment(out, 0xC4, ac);
    segment(out, 0xDA, QByteArray("\x01\x01\x00\x00\x3F\x00", 6));
    // Each flat block takes two bits, so four blocks make one zero byte.
    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8);
    qint64 bytes = (blocks + 3) / 4;
    if (scanBytes > 0 && scanBytes < bytes)
        bytes = scanBytes;
    out.append(QByteArray(qsizetype(bytes), '\0'));
    out.append("\xFF\xD9", 2);
    return out;
}

QByteArray bmpClaiming(int width, int height) {
    QByteArray out("BM", 2);
    put32le(out, 54 + 16);
    put32le(out, 0);
    put32le(out, 54);
    put32le(out, 40);
    put32le(out, quint32(width));
    put32le(out, quint32(height));
    put16le(out, 1);
    put16le(out, 24);
    put32le(out, 0);
    put32le(out, 0);
    put32le(out, 2835);
    put32le(out, 2835);
    put32le(out, 0);
    put32le(out, 0);
    out.append(16, '\x7F');
    return out;
}

QByteArray rle8Bitmap(int width, int height, QColor colour) {
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 255) {
            pixels.append(char(qMin(left, 255)));
            pixels.append('\1'); // colour index 1
        }
        pixels.append("\0\0", 2); // end of line
    }
    pixels.append("\0\1", 2); // end of bitmap
    QByteArray out("BM", 2);
    const quint32 pixelsAt = 14 + 40 + 2 * 4;
    put32le(out, pixelsAt + quint32(pixels.size()));
    put32le(out, 0);
    put32le(out, pixelsAt);
    put32le(out, 40);
    put32le(out, quint32(width));
    put32le(out, quint32(height));
    put16le(out, 1);
    put16le(out, 8);
    put32le(out, 1); // BI_RLE8
    put32le(out, quint32(pixels.size()));
    put32le(out, 2835);
    put32le(out, 2835);
    put32le(out, 2);
    put32le(out, 0);
    put32le(out, 0); // index 0: black
    out.append(char(colour.blue()));
    out.append(char(colour.green()));
    out.append(char(colour.red()));
    out.append('\0');
    out.append(pixels);
    return out;
}

QByteArray iconFile(const QList<QImage>& images, bool cursor) {
    // Qt writes single-image icons; their directory entries and data are gathered into one.
    QList<QByteArray> entries;
    QList<QByteArray> data;
    for (const QImage& image : images) {
        const QByteArray single = encoded(image, "ico");
        QByteArray entry = single.mid(6, 16);
        if (cursor) {
            entry[4] = '\0'; // hot spot at the top left instead of planes and bit count
            entry[5] = '\0';
            entry[6] = '\0';
            entry[7] = '\0';
        }
        const quint32 offset = qFromLittleEndian<quint32>(single.constData() + 6 + 12);
        entries.append(entry);
        data.append(single.mid(offset));
    }
    QByteArray out;
    put16le(out, 0);
    put16le(out, cursor ? 2 : 1);
    put16le(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < entries.size(); ++i) {
        QByteArray entry = entries[i];
        QByteArray at;
        put32le(at, offset);
        entry.replace(12, 4, at);
        out.append(entry);
        offset += quint32(data[i].size());
    }
    for (const QByteArray& d : data)
        out.append(d);
    return out;
}

namespace {

// LZW data for a frame of colour index 1, written with a clear code before every pair of
// pixels so the code width stays at three bits.
QByteArray gifPixels(int count) {
    constexpr int clear = 4;
    constexpr int end = 5;
    QByteArray out;
    quint32 bits = 0;
    int used = 0;
    auto code = [&](int c) {
        bits |= quint32(c) << used;
        used += 3;
        while (used >= 8) {
            out.append(char(bits & 0xFF));
            bits >>= 8;
            used -= 8;
        }
    };
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            code(clear);
        code(1);
    }
    code(end);
    if (used > 0)
        out.append(char(bits & 0xFF));
    QByteArray blocks;
    blocks.append('\2'); // minimum code size
    for (int at = 0; at < out.size(); at += 255) {
        const QByteArray part = out.mid(at, 255);
        blocks.append(char(part.size()));
        blocks.append(part);
    }
    blocks.append('\0');
    return blocks;
}

void gifFrame(QByteArray& out, int width, int height, QColor colour) {
    out.append('\x21');
    out.append("\xF9\x04\x00", 3);
    put16le(out, 10); // a tenth of a second
    out.append("\x00\x00", 2);
    out.append('\x2C');
    put16le(out, 0);
    put16le(out, 0);
    put16le(out, quint16(width));
    put16le(out, quint16(height));
    out.append('\x81'); // a local table of four colours
    const QColor table[4] = {Qt::black, colour, Qt::black, Qt::black};
    for (const QColor& c : table) {
        out.append(char(c.red()));
        out.append(char(c.green()));
        out.append(char(c.blue()));
    }
    out.append(gifPixels(width * height));
}

} // namespace

QByteArray twoFrameGif(int width, int height, QColor first, QColor second) {
    QByteArray out("GIF89a", 6);
    put16le(out, quint16(width));
    put16le(out, quint16(height));
    out.append("\x00\x00\x00", 3); // no global table
    gifFrame(out, width, height, first);
    gifFrame(out, width, height, second);
    out.append('\x3B');
    return out;
}

} // namespace picturefiles
