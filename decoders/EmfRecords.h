#pragma once

#include <optional>
#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

// Reading an enhanced metafile: its header, its records one by one, and the values inside a
// record. Every read is checked against the record it belongs to, and every record against the
// file: a value that does not fit reads as absent, never past the end.
namespace emf {

struct Header {
    QRect bounds;       // what the records draw, in device units
    QRect frame;        // the picture's extent, in hundredths of a millimetre (inclusive)
    QSize devicePixels; // the reference device
    QSize deviceMillimetres;
    QSizeF deviceMicrometres; // finer than the millimetres where the writer gives it
    quint32 handles = 0;      // the object table's size
};

// The header of a well-formed file (see emfWellFormed), or nothing.
std::optional<Header> readHeader(const QByteArray& bytes);

// One record: its type and its bytes (the first eight are the type and size).
class Record {
public:
    Record(quint32 type, const uchar* data, quint32 size) : type_(type), data_(data), size_(size) {}
    quint32 type() const { return type_; }
    quint32 size() const { return size_; }
    bool fits(quint64 at, quint64 length) const { return at <= size_ && length <= size_ - at; }
    // Values at a byte offset; 0 when they lie outside the record.
    quint32 u32(quint32 at) const;
    qint32 s32(quint32 at) const { return qint32(u32(at)); }
    quint16 u16(quint32 at) const;
    float f32(quint32 at) const;
    QPoint point(quint32 at) const { return {s32(at), s32(at + 4)}; }
    QRect rect(quint32 at) const; // left, top, right, bottom as written (inclusive)
    // The same corners as an area whose right and bottom edges lie outside it, normalized.
    QRectF rectF(quint32 at) const {
        return QRectF(QPointF(s32(at), s32(at + 4)), QPointF(s32(at + 8), s32(at + 12)))
            .normalized();
    }
    QByteArray bytes(quint32 at, quint32 length) const;
    const uchar* data() const { return data_; }

    // `count` points of 32-bit (false) or 16-bit (true) coordinates starting at `at`; empty
    // when they do not fit.
    QPolygonF points(quint32 at, quint32 count, bool small) const;
    // `count` UTF-16 (or 8-bit, `wide` false) characters at `at`; empty when they do not fit.
    QString text(quint32 at, quint32 count, bool wide) const;
    // A device-independent bitmap given by its header's and its pixels' offsets and sizes;
    // null when they do not fit or the bitmap is larger than the player accepts. With `alpha`,
    // the fourth byte of 32-bit pixels is their (premultiplied) opacity.
    QImage bitmap(quint32 headerAt, quint32 headerSize, quint32 bitsAt, quint32 bitsSize,
                  bool alpha = false) const;

private:
    quint32 type_;
    const uchar* data_;
    quint32 size_;
};

// The records of a well-formed file in order, header included.
class Records {
public:
    explicit Records(const QByteArray& bytes) : bytes_(bytes) {}
    // The next record, or nothing at the end.
    std::optional<Record> next();

private:
    const QByteArray& bytes_;
    quint32 at_ = 0;
};

// The most pixels a bitmap inside a metafile may have (64 megapixels, 256 MB).
constexpr qint64 maxBitmapPixels = 64LL * 1024 * 1024;

} // namespace emf
