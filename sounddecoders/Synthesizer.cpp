#include "sounddecoders/Synthesizer.h"

#include "audio/PcmFormat.h"
#include "core/Log.h"

#include <fluidsynth.h>

#include <dlfcn.h>
#include <QtGlobal>
#include <sys/stat.h>

namespace {

// The system's General MIDI soundfont: Debian's alternative first, then the fonts it may point
// to.
const char* const SoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

constexpr double Gain = 0.5; // loud enough beside MP3 music, without clipping full chords

// fluidsynth loads a soundfont's samples with OpenMP (Debian's is built with it), which would
// start a thread that outlives the loading: one thread does it here.
void loadOnOneThread() {
    using SetThreads = void (*)(int);
    if (auto* setThreads =
            reinterpret_cast<SetThreads>(::dlsym(RTLD_DEFAULT, "omp_set_num_threads")))
        setThreads(1);
}

const char* soundFont() {
    for (const char* path : SoundFonts) {
        struct stat info {};
        if (::stat(path, &info) == 0 && S_ISREG(info.st_mode))
            return path;
    }
    return nullptr;
}

} // namespace

Synthesizer::Synthesizer() {
    // Warnings and chatter of the synthesizer stay out of the program's output.
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    const char* font = soundFont();
    if (font == nullptr) {
        qCWarning(logSound, "MIDI music is silent: no General MIDI soundfont is installed");
        return;
    }
    loadOnOneThread();
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", pcm::Rate);
    fluid_settings_setnum(settings_, "synth.gain", Gain);
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 0);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr || fluid_synth_sfload(synth_, font, 1) == FLUID_FAILED) {
        qCWarning(logSound, "MIDI music is silent: the soundfont %s cannot be loaded", font);
        if (synth_ != nullptr)
            delete_fluid_synth(synth_);
        synth_ = nullptr;
    }
}

Synthesizer::~Synthesizer() {
    if (synth_ != nullptr)
        delete_fluid_synth(synth_);
    if (settings_ != nullptr)
        delete_fluid_settings(settings_);
}
