#include "PictureDecoderFiles.h"

#include <QBuffer>
#include <QPainter>

namespace picturefiles {

namespace {

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

} // namespace picturefiles
