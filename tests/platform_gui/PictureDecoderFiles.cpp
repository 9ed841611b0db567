#include "PictureDecoderFiles.h"

#include <QBuffer>
#include <QPainter>

namespace picturefiles {

namespace {

void put32le(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> 8 * i));
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
    // A little-endian TIFF header, then one directory of one SHORT entry (0x0112), no next.
    QByteArray exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24);
    exif.append(char(orientation));
    exif.append(7, '\0');
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
    QByteArray table(18, '\0');
    table[1] = 1;
    segment(out, 0xC4, table);
    table[0] = 0x10;
    segment(out, 0xC4, table);
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
    // File header, info header (8 bits, BI_RLE8), and a palette of black and `colour`.
    for (quint32 v : {pixelsAt + quint32(pixels.size()), 0u, pixelsAt, 40u, quint32(width),
                      quint32(height), 1u | 8u << 16, 1u, quint32(pixels.size()), 2835u, 2835u, 2u,
                      0u, 0u, colour.rgb() & 0xFFFFFFu})
        put32le(out, v);
    out.append(pixels);
    return out;
}

QByteArray redGif() {
    // 1 x 1, a two-colour global table (red, black), LZW codes: clear, index 0, end.
    return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
                      ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                      35);
}

} // namespace picturefiles
