#include "MetafileFiles.h"

namespace metafiles {

namespace {

void put16(QByteArray& out, std::initializer_list<int> values) {
    for (int v : values)
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& out, std::initializer_list<qint64> values) {
    for (qint64 v : values)
        put16(out, {int(v & 0xFFFF), int((v >> 16) & 0xFFFF)});
}

} // namespace

quint32 colorRef(QColor c) {
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

namespace {

void wmfRecord(QByteArray& out, int function, std::initializer_list<int> params) {
    put32(out, {3 + qint64(params.size())});
    put16(out, {function});
    put16(out, params);
}

// The placeable header (with a frame), the WMF header and `records` (which end with the end
// record).
QByteArray wmfFile(std::optional<QRect> frame, int unitsPerInch, const QByteArray& records,
                   int objects = 2) {
    QByteArray out;
    if (frame) {
        put16(out, {0xCDD7, 0x9AC6, 0, frame->left(), frame->top(), frame->right() + 1,
                    frame->bottom() + 1, unitsPerInch, 0, 0});
        quint16 checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= quint16(uchar(out[2 * i]) | uchar(out[2 * i + 1]) << 8);
        put16(out, {checksum});
    }
    // The WMF header: the file's size in words, the objects, the largest record.
    put16(out, {1, 9, 0x0300});
    put32(out, {(18 + records.size()) / 2});
    put16(out, {objects});
    put32(out, {records.size() / 2});
    put16(out, {0});
    out.append(records);
    return out;
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

QByteArray dib24(const QImage& bitmap) {
    QByteArray pixels; // bottom-up rows of blue, green, red, each row padded to 4 bytes
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            put32(pixels, {bitmap.pixel(x, y) & 0xFFFFFF});
            pixels.chop(1);
        }
        while (pixels.size() % 4)
            pixels.append('\0');
    }
    QByteArray out;
    put32(out,
          {40, bitmap.width(), bitmap.height(), 1 | 24 << 16, 0, pixels.size(), 2835, 2835, 0, 0});
    return out + pixels;
}

QByteArray wmfWithBitmap(QRect frame, int unitsPerInch, QRect box, const QImage& bitmap) {
    QByteArray stretch; // StretchDIB: copy the source, its extent, then where it goes
    put32(stretch, {0x00CC0020});
    put16(stretch, {0, bitmap.height(), bitmap.width(), 0, 0, box.height(), box.width(), box.top(),
                    box.left()});
    stretch.append(dib24(bitmap));
    QByteArray records;
    wmfRecord(records, 0x020B, {frame.top(), frame.left()});
    wmfRecord(records, 0x020C, {frame.height(), frame.width()});
    put32(records, {3 + stretch.size() / 2});
    put16(records, {0x0F43});
    records.append(stretch);
    wmfRecord(records, 0x0000, {});
    return wmfFile(frame, unitsPerInch, records);
}

std::pair<int, int> colourWords(QColor c) {
    const quint32 v = colorRef(c);
    return {int(v & 0xFFFF), int(v >> 16)};
}

QByteArray fontParams(const QByteArray& face, int height, int escapement) {
    QByteArray out;
    put16(out, {-height, 0, escapement, escapement, 700});
    out.append(QByteArray(8, '\0'))
        .append(face.left(31))
        .append(QByteArray(32 - face.left(31).size(), '\0'));
    return out;
}

QByteArray wmfWithText(QRect frame, QPoint at, const QByteArray& text, int escapement, int align) {
    WmfWriter w;
    w.add(0x02FB, {}, fontParams("DejaVu Sans", 40, escapement)).add(0x012D, {0});
    w.add(0x0102, {1}).add(0x012E, {align}).add(0x0209, {0x00FF, 0}); // no background, red
    QByteArray params = text;
    if (params.size() % 2)
        params.append('\0');
    put16(params, {at.y(), at.x()});
    return w.add(0x0521, {int(text.size())}, params).file(frame, 96);
}

WmfWriter& WmfWriter::add(int function, std::initializer_list<int> params) {
    return add(function, params, {});
}

WmfWriter& WmfWriter::add(int function, std::initializer_list<int> params,
                          const QByteArray& bytes) {
    QByteArray padded = bytes;
    if (padded.size() % 2)
        padded.append('\0');
    put32(records_, {3 + qint64(params.size()) + padded.size() / 2});
    put16(records_, {function});
    put16(records_, params);
    records_.append(padded);
    const int f = function;
    if (f == 0x02FA || f == 0x02FB || f == 0x02FC || f == 0x00F7 || f == 0x06FF || f == 0x0142 ||
        f == 0x01F9)
        ++objects_;
    return *this;
}

WmfWriter& WmfWriter::solidBrush(QColor colour) {
    const auto [low, high] = colourWords(colour);
    add(0x02FC, {0, low, high, 0});
    return add(0x012D, {objects_ - 1});
}

WmfWriter& WmfWriter::nullPen() {
    add(0x02FA, {5, 0, 0, 0, 0});
    return add(0x012D, {objects_ - 1});
}

WmfWriter& WmfWriter::rectangle(QRect box) {
    return add(0x041B, {box.bottom() + 1, box.right() + 1, box.top(), box.left()});
}

QByteArray WmfWriter::file(std::optional<QRect> frame, int unitsPerInch) const {
    QByteArray records = records_;
    put32(records, {3});
    put16(records, {0});
    return wmfFile(frame, unitsPerInch, records, std::max(objects_, 1));
}

void emfRecord(QByteArray& out, int type, std::initializer_list<qint64> values,
               const QByteArray& tail) {
    put32(out, {type, 8 + 4 * qint64(values.size()) + tail.size()});
    put32(out, values);
    out.append(tail);
}

QByteArray emfFile(QRect frame, QRect bounds, const QByteArray& records) {
    QByteArray all = records;
    emfRecord(all, 14, {0, 16, 20});
    QByteArray out;
    put32(out, {1, 88, bounds.left(), bounds.top(), bounds.right(), bounds.bottom(), frame.left(),
                frame.top(), frame.right(), frame.bottom()});
    put32(out, {0x464D4520, 0x10000, 88 + all.size(), 64, 16, 0, 0, 0, 960, 960, 254, 254});
    return out + all;
}

QByteArray emfWithRectangle(QRect frame, QRect box, QColor fill) {
    QByteArray records;
    // A solid brush, selected; the stock null pen, selected; the rectangle; the end.
    put32(records, {39, 24, 1, 0, qint64(colorRef(fill)), 0, 37, 12, 1, 37, 12, 0x80000008});
    put32(records, {43, 24, box.left(), box.top(), box.right() + 1, box.bottom() + 1});
    put32(records, {14, 20, 0, 16, 20});
    // The header: the drawing's bounds, the frame, the signature and version, the size, the
    // records and handles, and a reference device of 960 pixels on 254 millimetres (96 to the
    // inch).
    QByteArray out;
    put32(out, {1, 88, box.left(), box.top(), box.right(), box.bottom(), frame.left(), frame.top(),
                frame.right(), frame.bottom()});
    put32(out, {0x464D4520, 0x10000, 88 + records.size(), 6, 2, 0, 0, 0, 960, 960, 254, 254});
    return out + records;
}

QByteArray dib32(const QImage& bitmap) {
    const QImage image = bitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray pixels;
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x)
            put32(pixels, {qint64(image.pixel(x, y))});
    QByteArray out;
    put32(out, {40, image.width(), image.height(), 1 | 32 << 16, 0, pixels.size(), 0, 0, 0, 0});
    return out + pixels;
}

QByteArray dib1(const QImage& bitmap) {
    QByteArray pixels;
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        QByteArray row((bitmap.width() + 31) / 32 * 4, '\0');
        for (int x = 0; x < bitmap.width(); ++x)
            if (qGray(bitmap.pixel(x, y)) >= 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        pixels += row;
    }
    QByteArray out;
    put32(out, {40, bitmap.width(), bitmap.height(), 1 | 1 << 16, 0, pixels.size(), 0, 0, 2, 0,
                0x000000, 0xFFFFFF});
    return out + pixels;
}

QByteArray emfSolidBrush(QColor colour, int index) {
    QByteArray r;
    emfRecord(r, 39, {index, 0, colorRef(colour), 0}); // CREATEBRUSHINDIRECT
    emfRecord(r, 37, {index});                         // SELECTOBJECT
    emfRecord(r, 37, {0x80000008});                    // the stock null pen
    return r;
}

QByteArray emfBox(QRect box) {
    QByteArray r;
    emfRecord(r, 43, {box.left(), box.top(), box.right() + 1, box.bottom() + 1});
    return r;
}

QByteArray emfStretchDiBits(const QImage& bitmap, QRect target, quint32 rop) {
    const QByteArray dib = dib24(bitmap);
    QByteArray r;
    emfRecord(r, 81,
              {0, 0, 0, 0, target.left(), target.top(), 0, 0, bitmap.width(), bitmap.height(), 80,
               40, 120, dib.size() - 40, 0, rop, target.width(), target.height()},
              dib);
    return r;
}

namespace {

constexpr qint64 oneFloat = 0x3F800000; // 1.0f

} // namespace

QByteArray emfBlt(int type, QRect target, quint32 operation, const QByteArray& dib, QSize source) {
    const bool stretched = type != 76;
    const qint64 at = stretched ? 108 : 100;
    const qint64 infoSize =
        dib.isEmpty() ? 0 : 40 + 4 * qint64(uchar(dib[32]) | uchar(dib[33]) << 8);
    if (source.isEmpty())
        source = target.size();
    QByteArray r;
    if (stretched)
        emfRecord(r, type,
                  {0,
                   0,
                   0,
                   0,
                   target.left(),
                   target.top(),
                   target.width(),
                   target.height(),
                   operation,
                   0,
                   0,
                   oneFloat,
                   0,
                   0,
                   oneFloat,
                   0,
                   0,
                   0,
                   0,
                   dib.isEmpty() ? 0 : at,
                   infoSize,
                   dib.isEmpty() ? 0 : at + infoSize,
                   dib.size() - infoSize,
                   source.width(),
                   source.height()},
                  dib);
    else
        emfRecord(r, type,
                  {0,
                   0,
                   0,
                   0,
                   target.left(),
                   target.top(),
                   target.width(),
                   target.height(),
                   operation,
                   0,
                   0,
                   oneFloat,
                   0,
                   0,
                   oneFloat,
                   0,
                   0,
                   0,
                   0,
                   dib.isEmpty() ? 0 : at,
                   infoSize,
                   dib.isEmpty() ? 0 : at + infoSize,
                   dib.size() - infoSize},
                  dib);
    return r;
}

QByteArray emfMaskBlt(QRect target, quint32 rop4, const QByteArray& source,
                      const QByteArray& mask) {
    const qint64 sourceInfo = 40;                    // a 24-bit source
    const qint64 maskInfo = mask.isEmpty() ? 0 : 48; // a one-bit mask with its two colours
    const qint64 at = 128, maskAt = mask.isEmpty() ? 0 : at + source.size();
    QByteArray r;
    emfRecord(r, 78,
              {0,
               0,
               0,
               0,
               target.left(),
               target.top(),
               target.width(),
               target.height(),
               rop4,
               0,
               0,
               oneFloat,
               0,
               0,
               oneFloat,
               0,
               0,
               0,
               0,
               at,
               sourceInfo,
               at + sourceInfo,
               source.size() - sourceInfo,
               0,
               0,
               0,
               maskAt,
               maskInfo,
               mask.isEmpty() ? 0 : maskAt + maskInfo,
               mask.size() - maskInfo},
              source + mask);
    return r;
}

void wmfStretchDib(WmfWriter& w, const QImage& bitmap, QRect target, quint32 rop) {
    // The operation, colour use, the source's extent and corner, then the target's.
    w.add(0x0F43,
          {int(rop & 0xFFFF), int(rop >> 16), 0, bitmap.height(), bitmap.width(), 0, 0,
           target.height(), target.width(), target.top(), target.left()},
          dib24(bitmap));
}

void carryEmf(WmfWriter& w, const QByteArray& emf, qsizetype piece, int lie) {
    const qsizetype count = (emf.size() + piece - 1) / piece;
    for (qsizetype at = 0; at < emf.size(); at += piece) {
        const QByteArray part = emf.mid(at, piece);
        const qint64 remaining = emf.size() - at - part.size() + lie;
        const auto low = [](qint64 v) { return int(v & 0xFFFF); };
        const auto high = [](qint64 v) { return int(v >> 16 & 0xFFFF); };
        // The comment escape, its byte count, "WMFC", type 1, version 1.0, checksum, flags,
        // the pieces, this piece's size, what remains, the whole size.
        w.add(0x0626,
              {15, int(34 + part.size()), 0x4D57, 0x4346, 1, 0, 0, 1, 0, 0, 0, low(count),
               high(count), low(part.size()), high(part.size()), low(remaining), high(remaining),
               low(emf.size()), high(emf.size())},
              part);
    }
}

} // namespace metafiles
