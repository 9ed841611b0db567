#include "sounddecoders/MidiFile.h"

#include <QtEndian>

namespace {

constexpr qsizetype kHeaderSize = 14; // "MThd", length 6, format, tracks, division

bool isStandardMidi(const QByteArray& bytes) {
    return bytes.size() >= kHeaderSize && bytes.startsWith("MThd");
}

} // namespace

QByteArray standardMidi(const QByteArray& bytes) {
    if (isStandardMidi(bytes))
        return bytes;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "RMID")
        return {};
    // Chunks: id, little-endian length, data padded to an even length. The RIFF length is not
    // trusted; the file's real end bounds the walk.
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        if (length > quint32(bytes.size() - body))
            return {};
        if (bytes.mid(at, 4) == "data") {
            const QByteArray smf = bytes.mid(body, qsizetype(length));
            return isStandardMidi(smf) ? smf : QByteArray();
        }
        at = body + qsizetype(length) + (length & 1);
    }
    return {};
}
