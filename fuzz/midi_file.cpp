// The music file's bytes as the MIDI sequencer takes them: a standard MIDI file, bare or
// wrapped in RIFF RMID, then written out in full status.
#include "sounddecoders/MidiEvents.h"
#include "sounddecoders/MidiFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray smf = standardMidi(bytes);
    if (!smf.isEmpty() &&
        (!smf.startsWith("MThd") || smf.size() > bytes.size() || !bytes.contains(smf.left(64))))
        __builtin_trap();
    // Each event gains at most its status byte, each track at most an end; once written in
    // full, a file is left as it is.
    const QByteArray full = withFullStatus(smf.isEmpty() ? bytes : smf);
    if (!full.isEmpty() && (!full.startsWith("MThd") || full.size() > 2 * bytes.size() + 64 ||
                            withFullStatus(full) != full))
        __builtin_trap();
    return 0;
}
