#include "sounddecoders/SoundFiles.h"

#include "sounddecoders/MidiSource.h"
#include "sounddecoders/Mp3Source.h"
#include "sounddecoders/WaveSource.h"

bool DecodedSoundFiles::playable(SoundKind kind, int file) {
    // A MIDI file is told by the program's own reading; the others by their decoder.
    if (kind == SoundKind::Midi)
        return !midiPiece(file).isEmpty();
    return open(kind, file) != nullptr;
}

std::unique_ptr<PcmSource> DecodedSoundFiles::open(SoundKind kind, int file) {
    switch (kind) {
    case SoundKind::Wave:
        return openWave(file);
    case SoundKind::Mp3:
        return openMp3(file);
    case SoundKind::Midi:
        return synth_ != nullptr ? openMidi(*synth_, file) : nullptr;
    }
    return nullptr;
}
