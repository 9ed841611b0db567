#include "sounddecoders/MidiSource.h"

#include "sounddecoders/MidiEvents.h"
#include "sounddecoders/MidiFile.h"
#include "sounddecoders/Synthesizer.h"

#include <fluidsynth.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Notes still sounding when the piece has ended ring out for at most this long.
constexpr qint64 MostRingingFrames = qint64(3) * pcm::Rate;

class Midi final : public PcmSource {
public:
    Midi(fluid_synth_t* synth, fluid_player_t* player) : synth_(synth), player_(player) {}
    ~Midi() override {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        fluid_synth_system_reset(synth_); // no note keeps ringing into the next piece
    }
    Midi(const Midi&) = delete;
    Midi& operator=(const Midi&) = delete;

    pcm::Declared declared() const override { return deviceFormat(0); }

    qsizetype read(qint16* out, qsizetype frames) override {
        if (fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING) {
            if (ringing_ >= MostRingingFrames || fluid_synth_get_active_voice_count(synth_) == 0)
                return 0;
            ringing_ += frames;
        }
        fluid_synth_write_s16(synth_, int(frames), out, 0, 2, out, 1, 2);
        return frames;
    }

private:
    fluid_synth_t* synth_;
    fluid_player_t* player_;
    qint64 ringing_ = 0;
};

} // namespace

QByteArray midiPiece(int file) {
    struct stat info {};
    if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > LargestMidiFile)
        return {};
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(file, bytes.data() + done, size_t(bytes.size() - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    // Written out in full status: the synthesizer's reader stops at a running status that
    // carries on past a meta event, as many files' do.
    return withFullStatus(standardMidi(bytes));
}

std::unique_ptr<PcmSource> openMidi(Synthesizer& synth, int file) {
    if (!synth.usable())
        return nullptr;
    const QByteArray smf = midiPiece(file);
    if (smf.isEmpty())
        return nullptr;
    fluid_player_t* player = new_fluid_player(synth.synth());
    if (player == nullptr)
        return nullptr;
    if (fluid_player_add_mem(player, smf.constData(), size_t(smf.size())) != FLUID_OK ||
        fluid_player_play(player) != FLUID_OK) {
        delete_fluid_player(player);
        return nullptr;
    }
    return std::make_unique<Midi>(synth.synth(), player);
}
