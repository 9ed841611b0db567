#pragma once

#include "sounddecoders/PcmSource.h"

#include <memory>
#include <QByteArray>

class Synthesizer;

// The largest MIDI file read: far beyond any real piece, and the whole piece is held in memory.
constexpr qint64 LargestMidiFile = qint64(16) * 1024 * 1024;

// The standard MIDI file in the open `file` (a .mid file, or an .rmi file's RIFF RMID wrapper
// taken off), written out in full status; empty when it holds none, or is too large.
QByteArray midiPiece(int file);

// The piece in the open `file`, played by `synth`'s own player and rendered by it until the
// piece and its last notes have ended. One piece at a time: the synthesizer is reset when it
// goes. Null when the file holds no MIDI piece or the synthesizer has no soundfont.
std::unique_ptr<PcmSource> openMidi(Synthesizer& synth, int file);
