#include "decoders/PackedBitmap.h"

#include <QtEndian>

namespace {

quint32 le32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData()) + at);
}
quint16 le16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(b.constData()) + at);
}

constexpr quint32 bitfieldsCompression = 3;
constexpr quint32 alphaBitfieldsCompression = 6;

} // namespace

QByteArray withBitmapFileHeader(const QByteArray& bytes) {
    if (bytes.size() < 16)
        return {};
    const quint32 headerSize = le32(bytes, 0);
    const bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        return {};
    if (quint32(bytes.size()) < headerSize)
        return {};
    // The pixels follow the colour table directly; its length decides where they start.
    const quint16 bitCount = core ? le16(bytes, 10) : le16(bytes, 14);
    const quint32 compression = core ? 0 : le32(bytes, 16);
    const quint32 used = core ? 0 : le32(bytes, 32);
    const quint32 entrySize = core ? 3 : 4;
    quint32 colours = used;
    if (colours == 0 && bitCount <= 8)
        colours = 1u << bitCount;
    if (colours > 256)
        return {};
    quint32 table = colours * entrySize;
    if (headerSize == 40 && compression == bitfieldsCompression)
        table += 12; // the three colour masks follow a plain info header
    else if (headerSize == 40 && compression == alphaBitfieldsCompression)
        table += 16; // and the alpha mask too
    const quint32 pixelsAt = 14 + headerSize + table;
    const quint32 fileSize = 14 + quint32(bytes.size());

    QByteArray out;
    out.reserve(int(fileSize));
    out.append("BM", 2);
    uchar field[4];
    qToLittleEndian<quint32>(fileSize, field);
    out.append(reinterpret_cast<const char*>(field), 4);
    out.append(4, '\0');
    qToLittleEndian<quint32>(pixelsAt, field);
    out.append(reinterpret_cast<const char*>(field), 4);
    out.append(bytes);
    return out;
}
