#include "decoders/WmfRecords.h"

#include <QtEndian>

// An enhanced metafile carried whole inside a Windows metafile, in comment records: Windows
// writes it there when it turns an EMF into a WMF (and LibreOffice does), so that a reader that
// knows EMF gets the drawing back without what the older format loses (curves, see-through
// fills, 32-bit coordinates).

namespace wmf {

namespace {

constexpr quint16 commentEscape = 15;
constexpr quint32 commentIdentifier = 0x43464D57; // "WMFC"
constexpr quint32 enhancedMetafileComment = 1;
constexpr qsizetype headerBytes = 38; // escape function, byte count and the comment's fields

} // namespace

QByteArray embeddedEmf(const QByteArray& bytes) {
    Reader reader(bytes);
    if (!reader.valid())
        return {};
    QByteArray emf;
    qint64 total = -1;
    Record r;
    while (reader.next(r)) {
        if (r.function() != meta::escape || r.u16(0) != commentEscape || !r.has(headerBytes / 2) ||
            r.u32(2) != commentIdentifier || r.u32(4) != enhancedMetafileComment)
            continue;
        const quint32 current = r.u32(13), remaining = r.u32(15), size = r.u32(17);
        // Every piece agrees with the first on the whole size, and each takes up where the last
        // ended; the pieces fit their records and the whole fits the file.
        if (total < 0) {
            if (size == 0 || size > quint64(bytes.size()))
                return {};
            total = size;
            emf.reserve(qsizetype(size));
        }
        if (size != total || quint64(emf.size()) + current + remaining != quint64(total) ||
            !r.has((headerBytes + qint64(current) + 1) / 2))
            return {};
        emf += r.bytesFrom(headerBytes / 2).left(qsizetype(current));
        if (remaining == 0)
            return emf;
    }
    return {};
}

} // namespace wmf
