#include "MetafileFiles.h"

namespace metafiles {

namespace {

void put16(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& out, qint64 v) {
    put16(out, int(v & 0xFFFF));
    put16(out, int((v >> 16) & 0xFFFF));
}
quint32 colorRef(QColor c) {
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

void wmfRecord(QByteArray& out, int function, std::initializer_list<int> params) {
    put32(out, 3 + qint64(params.size()));
    put16(out, function);
    for (int p : params)
        put16(out, p);
}

} // namespace

QByteArray wmfWithRectangle(QRect frame, int unitsPerInch, QPoint origin, QRect box, QColor fill) {
    QByteArray records;
    wmfRecord(records, 0x020B, {origin.y(), origin.x()});        // window origin
    wmfRecord(records, 0x020C, {frame.height(), frame.width()}); // window extent
    const quint32 colour = colorRef(fill);                       // solid brush
    wmfRecord(records, 0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0});
    wmfRecord(records, 0x012D, {0});             // select it
    wmfRecord(records, 0x02FA, {5, 0, 0, 0, 0}); // null pen
    wmfRecord(records, 0x012D, {1});
    wmfRecord(records, 0x041B, {box.bottom() + 1, box.right() + 1, box.top(), box.left()});
    wmfRecord(records, 0x0000, {}); // end

    QByteArray out;
    QByteArray placeable;
    put32(placeable, 0x9AC6CDD7);
    put16(placeable, 0);
    put16(placeable, frame.left());
    put16(placeable, frame.top());
    put16(placeable, frame.right() + 1);
    put16(placeable, frame.bottom() + 1);
    put16(placeable, unitsPerInch);
    put32(placeable, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= quint16(uchar(placeable[2 * i]) | uchar(placeable[2 * i + 1]) << 8);
    put16(placeable, checksum);
    out.append(placeable);
    put16(out, 1);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, (18 + records.size()) / 2);
    put16(out, 2);
    put32(out, 8);
    put16(out, 0);
    out.append(records);
    return out;
}

QByteArray emfWithRectangle(QRect frame, QRect box, QColor fill) {
    QByteArray records;
    put32(records, 39); // solid brush 1
    put32(records, 24);
    put32(records, 1);
    put32(records, 0);
    put32(records, colorRef(fill));
    put32(records, 0);
    put32(records, 37); // select it
    put32(records, 12);
    put32(records, 1);
    put32(records, 37); // the stock null pen
    put32(records, 12);
    put32(records, 0x80000008);
    put32(records, 43); // the rectangle
    put32(records, 24);
    put32(records, box.left());
    put32(records, box.top());
    put32(records, box.right() + 1);
    put32(records, box.bottom() + 1);
    put32(records, 14); // end
    put32(records, 20);
    put32(records, 0);
    put32(records, 16);
    put32(records, 20);

    QByteArray out;
    put32(out, 1);
    put32(out, 88);
    put32(out, box.left()); // bounds: what the records draw
    put32(out, box.top());
    put32(out, box.right());
    put32(out, box.bottom());
    put32(out, frame.left());
    put32(out, frame.top());
    put32(out, frame.right());
    put32(out, frame.bottom());
    put32(out, 0x464D4520);
    put32(out, 0x10000);
    put32(out, 88 + records.size());
    put32(out, 6);
    put16(out, 2);
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 960); // 960 pixels on 254 millimetres: 96 to the inch
    put32(out, 960);
    put32(out, 254);
    put32(out, 254);
    out.append(records);
    return out;
}

} // namespace metafiles
