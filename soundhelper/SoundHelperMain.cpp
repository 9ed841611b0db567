#include "soundhelper/SoundHelperMain.h"

#include "helpers/Confinement.h"
#include "helpers/HelperLaunch.h"
#include "helpers/HelperLife.h"
#include "helpers/Sanitizers.h"
#include "sounddecoders/SoundFiles.h"
#include "sounddecoders/Synthesizer.h"
#include "sounddecoders/ToDevice.h"
#include "soundhelper/SoundServer.h"

#include <mpg123.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

// What the decoders would otherwise look up on first use, done before confining (SDL asks the
// system for the processor's features, libmpg123 builds its tables).
void warmUp() {
    ToDevice converter(AUDIO_S16LSB, 1, 22050);
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    if (decoder != nullptr)
        mpg123_delete(decoder);
}

} // namespace

int runSoundHelper(int argc, char** argv, const MakeSoundFiles& makeFiles,
                   const SoundHelperOptions& options) {
    if (!helperlife::diesWithTheProgram(argc, argv))
        return EXIT_FAILURE;
    helperlife::reportToProgram();
    // A stopped sound's pipe has no reader: writing to it fails instead of ending the process.
    ::signal(SIGPIPE, SIG_IGN);
    const bool music = argc >= 3 && std::strcmp(argv[2], "music") == 0;
    const std::unique_ptr<Synthesizer> synth = music ? std::make_unique<Synthesizer>() : nullptr;
    warmUp();
    const std::unique_ptr<SoundFiles> files = makeFiles(synth.get());
    // Under the sanitizers the runtime reads its own memory map for a report.
    const std::vector<std::string> reads =
        sanitizers::active ? std::vector<std::string>{"/proc/self"} : std::vector<std::string>{};
    confinement::Options confine{HelperSocketFd, reads, options.landlockVersionAtMost};
    confine.opensFiles = sanitizers::active;
    const confinement::Result confined = confinement::confineDecoder(confine);
    if (!confined.alone)
        std::fputs("quirello-sound: a thread runs before confinement\n", stderr);
    // A process that cannot hold itself in decodes nothing.
    if (!confined.syscallFilter)
        return EXIT_FAILURE;
    return serveSound(HelperSocketFd, *files, synth && synth->usable());
}
