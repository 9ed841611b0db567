#include "sounddecoders/MidiEvents.h"

#include <QtEndian>

namespace {

constexpr qsizetype ChunkHeader = 8; // id, big-endian length

quint32 be32(const QByteArray& b, qsizetype at) {
    return qFromBigEndian<quint32>(b.constData() + at);
}

void appendBe32(QByteArray& out, quint32 v) {
    uchar bytes[4];
    qToBigEndian(v, bytes);
    out.append(reinterpret_cast<const char*>(bytes), 4);
}

void appendQuantity(QByteArray& out, quint32 v) {
    char bytes[4];
    int n = 0;
    do {
        bytes[n++] = char(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (n > 1)
        out.append(char(bytes[--n] | 0x80));
    out.append(bytes[0]);
}

// Reads one track's events between `at` and `end`.
class TrackReader {
public:
    TrackReader(const QByteArray& bytes, qsizetype at, qsizetype end)
        : b_(bytes), at_(at), end_(end) {}

    // A variable-length quantity; false when it runs past the track or over four bytes.
    bool quantity(quint32& value) {
        value = 0;
        for (int i = 0; i < 4 && at_ < end_; ++i) {
            const auto byte = uchar(b_[at_++]);
            value = (value << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0)
                return true;
        }
        return false;
    }
    bool byte(uchar& value) {
        if (at_ >= end_)
            return false;
        value = uchar(b_[at_++]);
        return true;
    }
    uchar peek() const { return uchar(b_[at_]); }
    bool atEnd() const { return at_ >= end_; }
    // `length` bytes, or nothing when the track holds fewer.
    bool take(quint32 length, QByteArray& out) {
        if (length > quint32(end_ - at_))
            return false;
        out.append(b_.constData() + at_, qsizetype(length));
        at_ += qsizetype(length);
        return true;
    }

private:
    const QByteArray& b_;
    qsizetype at_;
    qsizetype end_;
};

int dataBytes(uchar status) {
    const uchar kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2; // programme change and channel pressure: one
}

// The events of one track in full status, always ending with an end-of-track event.
QByteArray trackInFullStatus(TrackReader track) {
    QByteArray out;
    uchar running = 0; // the last channel status: meta and system-exclusive events keep it
    quint32 delta = 0;
    while (!track.atEnd() && track.quantity(delta)) {
        QByteArray event;
        uchar status = 0;
        if (track.atEnd())
            break;
        if (track.peek() & 0x80)
            track.byte(status);
        else
            status = running;
        if (status >= 0x80 && status < 0xF0) {
            event.append(char(status));
            bool whole = true;
            for (int i = 0; i < dataBytes(status) && whole; ++i) {
                uchar data = 0;
                whole = track.byte(data) && data < 0x80;
                event.append(char(data));
            }
            if (!whole)
                break;
            running = status;
        } else if (status == 0xFF) {
            uchar type = 0;
            quint32 length = 0;
            if (!track.byte(type) || !track.quantity(length))
                break;
            event.append(char(0xFF));
            event.append(char(type));
            appendQuantity(event, length);
            if (!track.take(length, event))
                break;
            if (type == 0x2F) { // end of track: what follows is not part of it
                appendQuantity(out, delta);
                out.append(event);
                return out;
            }
        } else if (status == 0xF0 || status == 0xF7) {
            quint32 length = 0;
            if (!track.quantity(length))
                break;
            event.append(char(status));
            appendQuantity(event, length);
            if (!track.take(length, event))
                break;
        } else {
            break; // no status yet, or a message that has no place in a file
        }
        appendQuantity(out, delta);
        out.append(event);
    }
    out.append("\x00\xFF\x2F\x00", 4);
    return out;
}

} // namespace

QByteArray withFullStatus(const QByteArray& smf) {
    if (smf.size() < ChunkHeader + 6 || !smf.startsWith("MThd"))
        return {};
    const quint32 headerLength = be32(smf, 4);
    if (headerLength < 6 || headerLength > quint32(smf.size() - ChunkHeader))
        return {};
    QByteArray out = smf.left(ChunkHeader + qsizetype(headerLength));
    quint16 tracks = 0;
    // The chunk lengths are not trusted: the file's real end bounds each, and the walk.
    for (qsizetype at = ChunkHeader + qsizetype(headerLength); at + ChunkHeader <= smf.size();) {
        const qsizetype body = at + ChunkHeader;
        const quint32 length = be32(smf, at + 4);
        const qsizetype end =
            length > quint32(smf.size() - body) ? smf.size() : body + qsizetype(length);
        if (smf.mid(at, 4) == "MTrk" && tracks < 0xFFFF) {
            const QByteArray events = trackInFullStatus(TrackReader(smf, body, end));
            out.append("MTrk", 4);
            appendBe32(out, quint32(events.size()));
            out.append(events);
            ++tracks;
        }
        at = end;
    }
    if (tracks == 0)
        return {};
    qToBigEndian(tracks, out.data() + 10);
    return out;
}
