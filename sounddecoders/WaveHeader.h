#pragma once

#include <optional>
#include <QByteArrayView>
#include <QtGlobal>

// What the header of a RIFF WAVE file says about its sound.
struct WaveHeader {
    quint16 format = 0; // 1 PCM, 3 float, 7 mu-law, 0x11 IMA ADPCM, ... (an extensible one's own)
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 bitsPerSample = 0;
    qint64 dataOffset = 0;  // where the samples start in the file
    qint64 dataLength = 0;  // bytes of samples, as declared
    bool bigEndian = false; // a RIFX file: every number and sample big-endian
};

// The header of the WAVE file of `fileSize` bytes whose first bytes are `head`: nothing unless
// `head` starts a RIFF (or big-endian RIFX) WAVE file whose format chunk comes before its data
// chunk, within `head`, and whose data chunk ends inside the file. A data length the file cannot
// hold is refused here, before a loader reserves memory for it. Safe on any bytes.
std::optional<WaveHeader> readWaveHeader(QByteArrayView head, qint64 fileSize);

// Bytes the samples take once converted to `rate` Hz, `channels` channels of 16-bit samples:
// what a loader that converts the whole sound at once will hold.
qint64 convertedBytes(const WaveHeader& header, int rate, int channels);
