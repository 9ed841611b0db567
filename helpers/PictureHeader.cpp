// The size a picture's first bytes claim, read by the program itself only to set how long its
// helper may take: every field is checked against the bytes at hand, and a wrong answer costs
// at most a longer or shorter wait, never the picture.
#include "helpers/TimeLimits.h"

#include <algorithm>

namespace timelimits {

namespace {

class Bytes {
public:
    explicit Bytes(const QByteArray& data) : d_(data) {}
    bool has(qsizetype at, qsizetype n) const { return at >= 0 && n >= 0 && at + n <= d_.size(); }
    quint32 byte(qsizetype at) const { return has(at, 1) ? quint8(d_[at]) : 0; }
    quint32 be16(qsizetype at) const { return byte(at) << 8 | byte(at + 1); }
    quint32 le16(qsizetype at) const { return byte(at) | byte(at + 1) << 8; }
    quint32 le24(qsizetype at) const { return le16(at) | byte(at + 2) << 16; }
    quint32 le32(qsizetype at) const { return le16(at) | le16(at + 2) << 16; }
    quint32 be32(qsizetype at) const { return be16(at) << 16 | be16(at + 2); }
    bool at(qsizetype at, const char* text) const {
        const qsizetype n = qsizetype(qstrlen(text));
        return has(at, n) && d_.mid(at, n) == text;
    }

private:
    const QByteArray& d_;
};

QSize sized(qint64 width, qint64 height) {
    constexpr qint64 Most = qint64(1) << 30;
    if (width <= 0 || height <= 0)
        return {};
    return {int(std::min(width, Most)), int(std::min(height, Most))};
}

bool startOfFrame(quint32 marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

QSize jpegSize(const Bytes& b) {
    for (qsizetype at = 2; b.has(at, 4);) {
        if (b.byte(at) != 0xFF)
            return {};
        const quint32 marker = b.byte(at + 1);
        if (marker == 0xFF) { // fill bytes
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) {
            at += 2;
            continue;
        }
        if (startOfFrame(marker))
            return b.has(at + 5, 4) ? sized(b.be16(at + 7), b.be16(at + 5)) : QSize();
        const quint32 length = b.be16(at + 2);
        if (length < 2)
            return {};
        at += 2 + qsizetype(length);
    }
    return {};
}

QSize webpSize(const Bytes& b) {
    if (b.at(12, "VP8X") && b.has(24, 6))
        return sized(qint64(b.le24(24)) + 1, qint64(b.le24(27)) + 1);
    if (b.at(12, "VP8 ") && b.has(23, 7) && b.byte(23) == 0x9D && b.byte(24) == 0x01 &&
        b.byte(25) == 0x2A)
        return sized(b.le16(26) & 0x3FFF, b.le16(28) & 0x3FFF);
    if (b.at(12, "VP8L") && b.has(20, 5) && b.byte(20) == 0x2F) {
        const quint32 bits = b.le32(21);
        return sized(qint64(bits & 0x3FFF) + 1, qint64((bits >> 14) & 0x3FFF) + 1);
    }
    return {};
}

QSize bmpSize(const Bytes& b) {
    if (b.le32(14) == 12)
        return sized(b.le16(18), b.le16(20));
    const qint64 height = qint32(b.le32(22));
    return sized(qint32(b.le32(18)), height < 0 ? -height : height);
}

} // namespace

QSize headerSize(const QByteArray& head) {
    const Bytes b(head);
    if (b.byte(0) == 0xFF && b.byte(1) == 0xD8)
        return jpegSize(b);
    if (b.at(0, "\x89PNG\r\n\x1A\n") && b.at(12, "IHDR") && b.has(16, 8))
        return sized(b.be32(16), b.be32(20));
    if ((b.at(0, "GIF87a") || b.at(0, "GIF89a")) && b.has(6, 4))
        return sized(b.le16(6), b.le16(8));
    if (b.at(0, "BM") && b.has(14, 12))
        return bmpSize(b);
    if (b.at(0, "RIFF") && b.at(8, "WEBP"))
        return webpSize(b);
    return {};
}

} // namespace timelimits
