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

namespace {

// The placeable header, the WMF header and `records` (which end with the end record).
QByteArray wmfFile(QRect frame, int unitsPerInch, const QByteArray& records) {
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
    QByteArray out = placeable;
    put16(out, 1);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, (18 + records.size()) / 2);
    put16(out, 2);
    put32(out, records.size() / 2);
    put16(out, 0);
    out.append(records);
    return out;
}

// A bottom-up 24-bit DIB: info header and pixels.
QByteArray dib(const QImage& image, QByteArray* pixelsOut = nullptr) {
    QByteArray pixels;
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            pixels.append(char(c.blue()));
            pixels.append(char(c.green()));
            pixels.append(char(c.red()));
        }
        while (pixels.size() % 4)
            pixels.append('\0');
    }
    QByteArray header;
    put32(header, 40);
    put32(header, image.width());
    put32(header, image.height());
    put16(header, 1);
    put16(header, 24);
    put32(header, 0);
    put32(header, pixels.size());
    put32(header, 2835);
    put32(header, 2835);
    put32(header, 0);
    put32(header, 0);
    if (pixelsOut) {
        *pixelsOut = pixels;
        return header;
    }
    return header + pixels;
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
    return wmfFile(frame, unitsPerInch, records);
}

QByteArray wmfWithBitmap(QRect frame, int unitsPerInch, QRect box, const QImage& bitmap) {
    QByteArray records;
    wmfRecord(records, 0x020B, {frame.top(), frame.left()});
    wmfRecord(records, 0x020C, {frame.height(), frame.width()});
    QByteArray stretch;
    put32(stretch, 0x00CC0020); // copy the source
    put16(stretch, 0);
    for (int v :
         {bitmap.height(), bitmap.width(), 0, 0, box.height(), box.width(), box.top(), box.left()})
        put16(stretch, v);
    stretch.append(dib(bitmap));
    put32(records, 3 + stretch.size() / 2);
    put16(records, 0x0F43);
    records.append(stretch);
    wmfRecord(records, 0x0000, {});
    return wmfFile(frame, unitsPerInch, records);
}

namespace {

// The header for `records` (which end with the end record): the frame, the drawing's bounds,
// and a reference device of 96 pixels to the inch.
QByteArray emfFile(QRect frame, QRect bounds, int recordCount, const QByteArray& records) {
    QByteArray out;
    put32(out, 1);
    put32(out, 88);
    put32(out, bounds.left());
    put32(out, bounds.top());
    put32(out, bounds.right());
    put32(out, bounds.bottom());
    put32(out, frame.left());
    put32(out, frame.top());
    put32(out, frame.right());
    put32(out, frame.bottom());
    put32(out, 0x464D4520);
    put32(out, 0x10000);
    put32(out, 88 + records.size());
    put32(out, recordCount + 1);
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

void emfEnd(QByteArray& records) {
    put32(records, 14);
    put32(records, 20);
    put32(records, 0);
    put32(records, 16);
    put32(records, 20);
}

} // namespace

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
    emfEnd(records);
    return emfFile(frame, box, 5, records);
}

QByteArray emfWithBitmap(QRect frame, QRect box, const QImage& bitmap) {
    QByteArray pixels;
    const QByteArray header = dib(bitmap, &pixels);
    constexpr int fixed = 80;
    QByteArray records;
    put32(records, 81); // EMR_STRETCHDIBITS
    put32(records, fixed + header.size() + pixels.size());
    for (int v : {box.left(), box.top(), box.right(), box.bottom(), box.left(), box.top(), 0, 0,
                  bitmap.width(), bitmap.height()})
        put32(records, v);
    for (int v : {fixed, int(header.size()), fixed + int(header.size()), int(pixels.size()), 0})
        put32(records, v);
    put32(records, 0x00CC0020);
    put32(records, box.width());
    put32(records, box.height());
    records.append(header);
    records.append(pixels);
    emfEnd(records);
    return emfFile(frame, box, 2, records);
}

} // namespace metafiles
