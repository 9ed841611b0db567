#include "SoakSounds.h"

#include <cmath>
#include <initializer_list>

namespace {

void putLe(QByteArray& out, quint32 v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char(v >> 8 * i));
}

void putBe32(QByteArray& out, quint32 v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(v >> shift));
}

} // namespace

QByteArray toneWave(double seconds, int hz) {
    constexpr int Rate = 22050;
    const int frames = int(seconds * Rate);
    QByteArray out("RIFF", 4);
    putLe(out, quint32(36 + frames * 2), 4);
    out.append("WAVEfmt ", 8);
    // PCM, one channel, the rate, bytes a second, bytes a frame, bits a sample.
    for (auto [v, n] : {std::pair{16u, 4},
                        {1u, 2},
                        {1u, 2},
                        {quint32(Rate), 4},
                        {quint32(Rate * 2), 4},
                        {2u, 2},
                        {16u, 2}})
        putLe(out, v, n);
    out.append("data", 4);
    putLe(out, quint32(frames * 2), 4);
    for (int i = 0; i < frames; ++i)
        putLe(out, quint32(qint16(8000 * std::sin(2 * M_PI * hz * i / Rate))) & 0xFFFF, 2);
    return out;
}

QByteArray longMidi(int minutes) {
    QByteArray track;
    const auto event = [&](int delta, std::initializer_list<int> bytes) {
        // A variable-length delta of up to 14 bits.
        if (delta >= 128)
            track += char(0x80 | (delta >> 7));
        track += char(delta & 0x7F);
        for (int b : bytes)
            track += char(b);
    };
    const int chords[4][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
    event(0, {0xC1, 32}); // a bass on channel 1
    // At the default 120 beats a minute, one chord every two beats of 96 ticks.
    for (int chord = 0; chord < minutes * 60; ++chord) {
        const int* notes = chords[chord % 4];
        event(0, {0x90, notes[0], 70});
        event(0, {0x90, notes[1], 60});
        event(0, {0x90, notes[2], 60});
        event(0, {0x91, notes[0] - 24, 80});
        event(180, {0x80, notes[0], 0});
        event(0, {0x80, notes[1], 0});
        event(0, {0x80, notes[2], 0});
        event(0, {0x81, notes[0] - 24, 0});
        event(12, {0xB0, 0x40, 0});
    }
    event(0, {0xFF, 0x2F, 0});
    QByteArray smf("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);
    smf += "MTrk";
    putBe32(smf, quint32(track.size()));
    return smf + track;
}
