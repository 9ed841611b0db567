#include "platform/audio/WaveConvert.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr quint16 Pcm = 1;
constexpr quint16 Float = 3;

void appendLe(QByteArray& out, quint32 v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

bool needsConversion(const WaveHeader& header) {
    return header.bigEndian || (header.format == Float && header.bitsPerSample == 64);
}

QByteArray convertedWave(const WaveHeader& header, const QByteArray& data) {
    const int bits = header.bitsPerSample;
    const bool pcm = header.format == Pcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool floating = header.format == Float && (bits == 32 || bits == 64);
    if ((!pcm && !floating) || header.channels == 0 || data.size() != header.dataLength)
        return {};
    const int inBytes = bits / 8;
    const int outBytes = floating ? 4 : inBytes;
    const qsizetype samples = data.size() / inBytes;

    QByteArray samplesOut;
    samplesOut.reserve(samples * outBytes);
    const auto* in = reinterpret_cast<const uchar*>(data.constData());
    for (qsizetype i = 0; i < samples; ++i) {
        const uchar* s = in + i * inBytes;
        if (floating && bits == 64) {
            const quint64 raw =
                header.bigEndian ? qFromBigEndian<quint64>(s) : qFromLittleEndian<quint64>(s);
            double value;
            std::memcpy(&value, &raw, sizeof value);
            const float narrow = float(value);
            quint32 narrowRaw;
            std::memcpy(&narrowRaw, &narrow, sizeof narrowRaw);
            appendLe(samplesOut, narrowRaw, 4);
        } else {
            // The same sample, its bytes in little-endian order (eight bits have no order).
            for (int b = 0; b < inBytes; ++b)
                samplesOut.append(char(header.bigEndian ? s[inBytes - 1 - b] : s[b]));
        }
    }

    const quint16 blockAlign = quint16(header.channels * outBytes);
    QByteArray out("RIFF");
    appendLe(out, quint32(4 + 8 + 16 + 8 + samplesOut.size()), 4);
    out.append("WAVEfmt ");
    appendLe(out, 16, 4);
    appendLe(out, floating ? Float : Pcm, 2);
    appendLe(out, header.channels, 2);
    appendLe(out, header.sampleRate, 4);
    appendLe(out, header.sampleRate * blockAlign, 4);
    appendLe(out, blockAlign, 2);
    appendLe(out, quint32(outBytes * 8), 2);
    out.append("data");
    appendLe(out, quint32(samplesOut.size()), 4);
    out.append(samplesOut);
    return out;
}
