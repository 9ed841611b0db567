#include "decoders/WmfRecords.h"

#include <algorithm>
#include <cstdlib>
#include <QtEndian>

namespace wmf {

namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr qsizetype placeableSize = 22;
constexpr qsizetype headerSize = 18;

const uchar* data(const QByteArray& b) {
    return reinterpret_cast<const uchar*>(b.constData());
}

} // namespace

qint16 Record::s16(qsizetype word) const {
    return qint16(u16(word));
}

quint16 Record::u16(qsizetype word) const {
    if (word < 0 || word >= words_)
        return 0;
    return qFromLittleEndian<quint16>(params_ + 2 * word);
}

quint32 Record::u32(qsizetype word) const {
    return quint32(u16(word)) | quint32(u16(word + 1)) << 16;
}

quint8 Record::byte(qsizetype at) const {
    if (at < 0 || at >= 2 * words_)
        return 0;
    return params_[at];
}

QByteArray Record::bytesFrom(qsizetype word) const {
    if (word < 0 || word >= words_)
        return {};
    // A view, not a copy: the file's bytes outlive every record.
    return QByteArray::fromRawData(reinterpret_cast<const char*>(params_ + 2 * word),
                                   2 * (words_ - word));
}

Reader::Reader(const QByteArray& bytes) : bytes_(bytes) {
    qsizetype at = 0;
    if (bytes.size() >= placeableSize && qFromLittleEndian<quint32>(data(bytes)) == placeableKey) {
        const uchar* p = data(bytes);
        header_.placeable = true;
        const qint16 left = qFromLittleEndian<qint16>(p + 6);
        const qint16 top = qFromLittleEndian<qint16>(p + 8);
        const qint16 right = qFromLittleEndian<qint16>(p + 10);
        const qint16 bottom = qFromLittleEndian<qint16>(p + 12);
        // Right and bottom lie just outside the drawing.
        header_.frame = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                              QSize(std::abs(right - left), std::abs(bottom - top)));
        header_.unitsPerInch = qFromLittleEndian<quint16>(p + 14);
        at = placeableSize;
    }
    if (bytes.size() - at < headerSize)
        return;
    const uchar* h = data(bytes) + at;
    const quint16 type = qFromLittleEndian<quint16>(h);
    const quint16 words = qFromLittleEndian<quint16>(h + 2);
    if ((type != 1 && type != 2) || words != 9)
        return;
    header_.objects = qFromLittleEndian<quint16>(h + 10);
    claimedEnd_ = at + 2 * qint64(qFromLittleEndian<quint32>(h + 6));
    first_ = at_ = at + headerSize;
    valid_ = true;
}

bool Reader::next(Record& record) {
    if (!valid_ || ended_ || damaged_)
        return false;
    const qsizetype left = bytes_.size() - at_;
    if (left < 6) {
        // Some writers leave out the end record, but a file shorter than its header says was
        // cut.
        ended_ = true;
        damaged_ = bytes_.size() < claimedEnd_;
        return false;
    }
    const uchar* p = data(bytes_) + at_;
    const quint32 words = qFromLittleEndian<quint32>(p);
    const quint16 function = qFromLittleEndian<quint16>(p + 4);
    if (function == meta::eof) {
        ended_ = true;
        return false;
    }
    if (words < 3 || qint64(words) > left / 2) {
        damaged_ = true;
        return false;
    }
    record = Record(function, p + 6, qsizetype(words) - 3);
    at_ += 2 * qsizetype(words);
    return true;
}

} // namespace wmf
