#include "sounddecoders/WaveHeader.h"

#include <QtEndian>

namespace {

constexpr qsizetype kRiffHeader = 12;     // "RIFF", length, "WAVE"
constexpr qsizetype kChunkHeader = 8;     // id, little-endian length
constexpr quint32 kFormatFields = 16;     // format, channels, rate, byte rate, align, bits
constexpr quint32 kExtensibleFields = 40; // and the extension: valid bits, channels, GUID
constexpr quint16 kExtensible = 0xFFFE;

quint16 u16(QByteArrayView bytes, qsizetype at, bool bigEndian) {
    return bigEndian ? qFromBigEndian<quint16>(bytes.data() + at)
                     : qFromLittleEndian<quint16>(bytes.data() + at);
}
quint32 u32(QByteArrayView bytes, qsizetype at, bool bigEndian) {
    return bigEndian ? qFromBigEndian<quint32>(bytes.data() + at)
                     : qFromLittleEndian<quint32>(bytes.data() + at);
}

} // namespace

std::optional<WaveHeader> readWaveHeader(QByteArrayView head, qint64 fileSize) {
    if (head.size() < kRiffHeader || head.size() > fileSize ||
        (head.first(4) != "RIFF" && head.first(4) != "RIFX") || head.sliced(8, 4) != "WAVE")
        return std::nullopt;
    WaveHeader header;
    header.bigEndian = head.first(4) == "RIFX";
    const bool be = header.bigEndian;
    bool haveFormat = false;
    // The RIFF length is not trusted; chunks are walked up to the file's real end.
    qint64 at = kRiffHeader;
    while (at + kChunkHeader <= head.size()) {
        const QByteArrayView id = head.sliced(at, 4);
        const quint32 length = u32(head, at + 4, be);
        const qint64 body = at + kChunkHeader;
        if (id == "fmt ") {
            if (length < kFormatFields || body + kFormatFields > head.size())
                return std::nullopt;
            header.format = u16(head, body, be);
            header.channels = u16(head, body + 2, be);
            header.sampleRate = u32(head, body + 4, be);
            header.bitsPerSample = u16(head, body + 14, be);
            // WAVE_FORMAT_EXTENSIBLE names the real format in the first field of its
            // sub-format's GUID.
            if (header.format == kExtensible && length >= kExtensibleFields &&
                body + kExtensibleFields <= head.size())
                header.format = u16(head, body + 24, be);
            haveFormat = header.channels > 0 && header.sampleRate > 0;
        } else if (id == "data") {
            if (!haveFormat || qint64(length) > fileSize - body)
                return std::nullopt;
            header.dataOffset = body;
            header.dataLength = length;
            return header;
        }
        at = body + qint64(length) + (length & 1); // chunks are padded to an even length
    }
    return std::nullopt;
}

qint64 convertedBytes(const WaveHeader& header, int rate, int channels) {
    if (header.channels == 0 || header.sampleRate == 0 || rate <= 0 || channels <= 0)
        return 0;
    // Compressed formats declare 4 bits or fewer; count at least that, so that the estimate
    // never falls short of what the decoder makes.
    const int bits = header.bitsPerSample >= 4 ? header.bitsPerSample : 4;
    const double frames = double(header.dataLength) * 8.0 / (double(bits) * header.channels);
    const double converted = frames * double(rate) / double(header.sampleRate);
    return qint64(converted * channels * 2);
}
