#include "sounddecoders/WaveConvert.h"

#include <QSysInfo>
#include <QtEndian>

#include <cstring>

namespace {

constexpr quint16 Pcm = 1;
constexpr quint16 Float = 3;

// A 24-bit sample as a 32-bit one of the same loudness: its bytes, most significant first,
// moved into the top three bytes.
qint32 widened(const uchar* s, bool bigEndian) {
    const quint32 high = bigEndian ? s[0] : s[2];
    const quint32 middle = s[1];
    const quint32 low = bigEndian ? s[2] : s[0];
    return qint32(high << 24 | middle << 16 | low << 8);
}

float narrowed(const uchar* s, bool bigEndian) {
    const quint64 raw = bigEndian ? qFromBigEndian<quint64>(s) : qFromLittleEndian<quint64>(s);
    double value;
    std::memcpy(&value, &raw, sizeof value);
    return float(value);
}

} // namespace

std::optional<SampleLayout> sampleLayout(const WaveHeader& header) {
    using Encoding = SampleLayout::Encoding;
    const int bits = header.bitsPerSample;
    SampleLayout layout;
    if (header.format == Pcm && (bits == 8 || bits == 16))
        layout.encoding = Encoding::Signed16;
    else if (header.format == Pcm && (bits == 24 || bits == 32))
        layout.encoding = Encoding::Signed32;
    else if (header.format == Float && (bits == 32 || bits == 64))
        layout.encoding = Encoding::Float32;
    else
        return std::nullopt;
    layout.fileBytes = bits / 8;
    layout.fileBigEndian = header.bigEndian;
    layout.bytes = layout.encoding == Encoding::Signed16 ? 2 : 4;
    layout.bigEndian =
        layout.rewritten() ? QSysInfo::ByteOrder == QSysInfo::BigEndian : header.bigEndian;
    return layout;
}

QByteArray handedOn(const SampleLayout& layout, QByteArrayView data) {
    const qsizetype samples = data.size() / layout.fileBytes;
    if (!layout.rewritten())
        return data.first(samples * layout.fileBytes).toByteArray();
    QByteArray out(samples * layout.bytes, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const uchar*>(data.data());
    for (qsizetype i = 0; i < samples; ++i) {
        const uchar* s = in + i * layout.fileBytes;
        char* to = out.data() + i * layout.bytes;
        if (layout.encoding == SampleLayout::Encoding::Float32) {
            const float value = narrowed(s, layout.fileBigEndian);
            std::memcpy(to, &value, sizeof value);
        } else if (layout.fileBytes == 1) { // eight-bit WAVE samples are unsigned
            const auto value = qint16((int(s[0]) - 128) * 256);
            std::memcpy(to, &value, sizeof value);
        } else {
            const qint32 value = widened(s, layout.fileBigEndian);
            std::memcpy(to, &value, sizeof value);
        }
    }
    return out;
}
