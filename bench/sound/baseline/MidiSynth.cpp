#include "baseline/MidiSynth.h"

#include "baseline/AudioEngine.h"

#include <fluidsynth.h>
#include <SDL2/SDL.h>

#include <QFileInfo>
#include <QtGlobal>

#include <chrono>

namespace inprocess {

namespace {

// The system's General MIDI soundfont: Debian's alternative first, then the fonts it may point
// to.
const char* const kSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

constexpr double kGain = 0.5; // loud enough beside MP3 music, without clipping full chords

QByteArray findSoundFont() {
    for (const char* path : kSoundFonts) {
        if (QFileInfo(QString::fromLatin1(path)).isFile())
            return QByteArray(path);
    }
    return {};
}

} // namespace

MidiSynth::MidiSynth(AudioEngine& engine) : engine_(engine) {}

MidiSynth::~MidiSynth() {
    if (loader_.joinable())
        loader_.join();
    std::lock_guard lock(mutex_);
    stopLocked();
    if (synth_ != nullptr)
        delete_fluid_synth(synth_);
    if (settings_ != nullptr)
        delete_fluid_settings(settings_);
}

void MidiSynth::prepare() {
    std::lock_guard lock(mutex_);
    if (load_ != Load::NotStarted || engine_.sampleRate() == 0)
        return;
    load_ = Load::Loading;
    loader_ = std::thread([this] { load(); });
}

void MidiSynth::load() {
    const QByteArray font = findSoundFont();
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    if (font.isEmpty()) {
        qWarning("MIDI music is silent: no General MIDI soundfont is installed");
    } else {
        // Warnings and chatter of the synthesizer stay out of the program's output.
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
        settings = new_fluid_settings();
        fluid_settings_setnum(settings, "synth.sample-rate", engine_.sampleRate());
        fluid_settings_setnum(settings, "synth.gain", kGain);
        synth = new_fluid_synth(settings);
        if (synth == nullptr || fluid_synth_sfload(synth, font.constData(), 1) == FLUID_FAILED) {
            qWarning("MIDI music is silent: the soundfont %s cannot be loaded", font.constData());
            if (synth != nullptr)
                delete_fluid_synth(synth);
            synth = nullptr;
        }
    }
    std::lock_guard lock(mutex_);
    settings_ = settings;
    synth_ = synth;
    load_ = synth != nullptr ? Load::Ready : Load::Failed;
    if (load_ == Load::Ready && !pending_.isEmpty())
        startLocked();
    pending_.clear();
    loaded_.notify_all();
}

void MidiSynth::play(const QByteArray& smf) {
    prepare();
    std::lock_guard lock(mutex_);
    stopLocked();
    pending_ = smf;
    pendingSeen_ = engine_.musicStarts();
    if (load_ == Load::Ready)
        startLocked();
    else if (load_ != Load::Loading)
        pending_.clear();
}

void MidiSynth::stop() {
    std::lock_guard lock(mutex_);
    stopLocked();
}

bool MidiSynth::waitUntilLoaded(int ms) {
    std::unique_lock lock(mutex_);
    loaded_.wait_for(lock, std::chrono::milliseconds(ms),
                     [this] { return load_ != Load::Loading; });
    return load_ == Load::Ready;
}

void MidiSynth::startLocked() {
    const QByteArray smf = pending_;
    pending_.clear();
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr)
        return;
    if (fluid_player_add_mem(player_, smf.constData(), size_t(smf.size())) != FLUID_OK ||
        fluid_player_play(player_) != FLUID_OK ||
        !engine_.hookMusic(&MidiSynth::render, this, pendingSeen_)) {
        delete_fluid_player(player_);
        player_ = nullptr;
    }
}

void MidiSynth::stopLocked() {
    pending_.clear();
    if (player_ == nullptr)
        return;
    engine_.unhookMusic(this);
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
    fluid_synth_system_reset(synth_); // no note keeps ringing into the next piece
}

void MidiSynth::render(void* self, unsigned char* stream, int len) {
    auto* synth = static_cast<MidiSynth*>(self);
    // The stream holds silence on entry; the rendered piece is mixed into it.
    if (synth->scratch_.size() < size_t(len))
        synth->scratch_.resize(size_t(len));
    const int frames = len / 4;
    fluid_synth_write_s16(synth->synth_, frames, synth->scratch_.data(), 0, 2,
                          synth->scratch_.data(), 1, 2);
    SDL_MixAudioFormat(stream, synth->scratch_.data(), AUDIO_S16SYS, Uint32(frames * 4),
                       SDL_MIX_MAXVOLUME);
}

} // namespace inprocess
