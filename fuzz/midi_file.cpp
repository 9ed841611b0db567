// The music file's bytes as the MIDI sequencer takes them: a standard MIDI file, bare or
// wrapped in RIFF RMID.
#include "platform/audio/MidiFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray smf = standardMidi(bytes);
    if (!smf.isEmpty() &&
        (!smf.startsWith("MThd") || smf.size() > bytes.size() || !bytes.contains(smf.left(64))))
        __builtin_trap();
    return 0;
}
