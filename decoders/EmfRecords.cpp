#include "decoders/EmfRecords.h"

#include "decoders/EmfRecordTypes.h"
#include "decoders/MetafileHeaders.h"
#include "decoders/PackedBitmap.h"

#include <cstring>
#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace {

constexpr quint32 signature = 0x464D4520; // " EMF"
constexpr int headerSize = 88;

quint32 le32(const QByteArray& b, quint32 at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData()) + at);
}

} // namespace

bool emfWellFormed(const QByteArray& bytes) {
    if (bytes.size() < headerSize || le32(bytes, 0) != emf::emr::header ||
        le32(bytes, 40) != signature)
        return false;
    const quint32 total = le32(bytes, 48);
    if (total > quint32(bytes.size()) || total < headerSize || le32(bytes, 4) > total ||
        le32(bytes, 4) < headerSize)
        return false;
    quint32 at = 0;
    while (at + 8 <= total) {
        const quint32 type = le32(bytes, at);
        const quint32 size = le32(bytes, at + 4);
        if (size < 8 || size % 4 != 0 || size > total - at)
            return false;
        if (type == emf::emr::eof)
            return at + size == total;
        at += size;
    }
    return false;
}

namespace emf {

std::optional<Header> readHeader(const QByteArray& bytes) {
    if (!emfWellFormed(bytes))
        return std::nullopt;
    const Record r(emr::header, reinterpret_cast<const uchar*>(bytes.constData()), le32(bytes, 4));
    Header h;
    h.bounds = r.rect(8);
    h.frame = r.rect(24);
    h.handles = r.u16(56);
    h.devicePixels = QSize(r.s32(72), r.s32(76));
    h.deviceMillimetres = QSize(r.s32(80), r.s32(84));
    // Writers since Windows 98 add the reference device's size in micrometres after the pixel
    // format fields; it is more exact than the millimetres, which are rounded. Some writers
    // put their description there instead: only a size that agrees with the millimetres counts.
    h.deviceMicrometres = QSizeF(h.deviceMillimetres) * 1000;
    const auto agrees = [](double micrometres, int millimetres) {
        return std::abs(micrometres - millimetres * 1000.0) <= 1000;
    };
    if (r.fits(100, 8) && agrees(r.s32(100), h.deviceMillimetres.width()) &&
        agrees(r.s32(104), h.deviceMillimetres.height()) && r.s32(100) > 0 && r.s32(104) > 0)
        h.deviceMicrometres = QSizeF(r.s32(100), r.s32(104));
    return h;
}

quint32 Record::u32(quint32 at) const {
    return fits(at, 4) ? qFromLittleEndian<quint32>(data_ + at) : 0;
}

quint16 Record::u16(quint32 at) const {
    return fits(at, 2) ? qFromLittleEndian<quint16>(data_ + at) : 0;
}

float Record::f32(quint32 at) const {
    const quint32 bits = u32(at);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

QRect Record::rect(quint32 at) const {
    return QRect(QPoint(s32(at), s32(at + 4)), QPoint(s32(at + 8), s32(at + 12)));
}

QByteArray Record::bytes(quint32 at, quint32 length) const {
    if (!fits(at, length))
        return {};
    return QByteArray(reinterpret_cast<const char*>(data_ + at), qsizetype(length));
}

QPolygonF Record::points(quint32 at, quint32 count, bool small) const {
    const quint32 each = small ? 4 : 8;
    if (!fits(at, quint64(count) * each))
        return {};
    QPolygonF out;
    out.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        const uchar* p = data_ + at + qsizetype(i) * each;
        if (small)
            out.append(QPointF(qFromLittleEndian<qint16>(p), qFromLittleEndian<qint16>(p + 2)));
        else
            out.append(QPointF(qFromLittleEndian<qint32>(p), qFromLittleEndian<qint32>(p + 4)));
    }
    return out;
}

QString Record::text(quint32 at, quint32 count, bool wide) const {
    if (!fits(at, quint64(count) * (wide ? 2 : 1)))
        return {};
    if (!wide)
        return QString::fromLatin1(reinterpret_cast<const char*>(data_ + at), qsizetype(count));
    QString out(qsizetype(count), Qt::Uninitialized);
    for (quint32 i = 0; i < count; ++i)
        out[qsizetype(i)] = QChar(qFromLittleEndian<quint16>(data_ + at + 2 * qsizetype(i)));
    return out;
}

namespace {

// A 32-bit bitmap without compression, its fourth byte taken as alpha: the player's own
// reading, since image readers drop that byte. Bottom-up unless the height is negative.
QImage withAlpha(const uchar* bits, int width, int height) {
    const bool topDown = height < 0;
    height = std::abs(height);
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(topDown ? y : height - 1 - y));
        const uchar* row = bits + qsizetype(y) * width * 4;
        for (int x = 0; x < width; ++x) {
            const quint32 v = qFromLittleEndian<quint32>(row + 4 * qsizetype(x));
            const int a = int(v >> 24);
            anyAlpha |= a != 0;
            // The colour is premultiplied already; a writer's overshoot is clamped.
            const int r = std::min(int(v >> 16 & 0xFF), a), g = std::min(int(v >> 8 & 0xFF), a),
                      b = std::min(int(v & 0xFF), a);
            line[x] = quint32(a) << 24 | quint32(r) << 16 | quint32(g) << 8 | quint32(b);
        }
    }
    if (!anyAlpha) // no alpha at all: the writer meant an opaque bitmap
        return {};
    return image;
}

} // namespace

QImage Record::bitmap(quint32 headerAt, quint32 headerSize, quint32 bitsAt, quint32 bitsSize,
                      bool alpha) const {
    if (headerSize < 12 || !fits(headerAt, headerSize) || !fits(bitsAt, bitsSize))
        return {};
    const quint32 infoSize = u32(headerAt);
    const bool core = infoSize == 12;
    if (infoSize > headerSize || (!core && infoSize < 40))
        return {};
    const qint64 width = core ? u16(headerAt + 4) : s32(headerAt + 4);
    const qint64 height = core ? u16(headerAt + 6) : s32(headerAt + 8);
    const int bitCount = core ? u16(headerAt + 10) : u16(headerAt + 14);
    const quint32 compression = core ? 0 : u32(headerAt + 16);
    if (width <= 0 || height == 0 || height == qint64(INT_MIN) ||
        width * std::abs(height) > maxBitmapPixels)
        return {};
    if (compression == 4 || compression == 5) { // a whole JPEG or PNG file as the pixels
        QBuffer file;
        file.setData(bytes(bitsAt, bitsSize));
        QImageReader reader(&file);
        const QSize size = reader.size(); // refused from its header when too large
        if (size.isEmpty() || qint64(size.width()) * size.height() > maxBitmapPixels)
            return {};
        return reader.read();
    }
    if (bitCount == 0 || bitCount > 32)
        return {};
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    const bool plain = compression == 0 || compression == 3; // BI_RGB, BI_BITFIELDS
    if (plain && stride * std::abs(height) > bitsSize)
        return {};
    if (alpha && bitCount == 32 && compression == 0) {
        QImage blended = withAlpha(data_ + bitsAt, int(width), int(height));
        if (!blended.isNull())
            return blended;
    }
    const QByteArray bmp =
        withBitmapFileHeader(bytes(headerAt, headerSize) + bytes(bitsAt, bitsSize));
    if (bmp.isEmpty())
        return {};
    return QImage::fromData(bmp, "BMP");
}

std::optional<Record> Records::next() {
    if (bytes_.size() < headerSize)
        return std::nullopt;
    const quint32 total = le32(bytes_, 48);
    if (total > quint32(bytes_.size()) || total < 8 || at_ > total - 8)
        return std::nullopt;
    const quint32 type = le32(bytes_, at_);
    const quint32 size = le32(bytes_, at_ + 4);
    if (size < 8 || size > total - at_)
        return std::nullopt;
    const Record r(type, reinterpret_cast<const uchar*>(bytes_.constData()) + at_, size);
    at_ += size;
    return r;
}

} // namespace emf
