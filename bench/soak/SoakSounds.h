#pragma once

#include <QByteArray>

// The sounds of the soak's show, written byte by byte.

// A spoken comment's stand-in: `seconds` of a `hz` tone, 16-bit mono PCM at 22,050 Hz.
QByteArray toneWave(double seconds, int hz);

// Music for `minutes`: a standard MIDI file of slow chords on a piano and a bass, so that the
// synthesizer works throughout a long show without loading the machine.
QByteArray longMidi(int minutes);
