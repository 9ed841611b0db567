// quirello-sound: the program's sound decoder, started by the program itself (never by hand)
// with its socket as descriptor 3 and its role, "music" or "comment", after the program's id.
// Every MP3, MIDI, RMI and WAVE file the program plays is decoded here.
#include "sounddecoders/SoundFiles.h"
#include "soundhelper/SoundHelperMain.h"

int main(int argc, char** argv) {
    return runSoundHelper(
        argc, argv, [](Synthesizer* synth) { return std::make_unique<DecodedSoundFiles>(synth); });
}
