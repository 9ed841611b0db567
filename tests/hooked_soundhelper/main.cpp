// A test build of the sound process: the real process's life, confinement and decoding, and files
// whose first word makes it fail the ways a hostile file makes the real one fail, lie the ways
// one that took it over could, or try what such a file would try. The shipped process has none
// of this.
#include "hooked_picturehelper/Escapes.h"
#include "sounddecoders/SoundFiles.h"
#include "soundhelper/SoundHelperMain.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <QByteArray>
#include <unistd.h>

namespace {

// A sound of the device's format that lies or misbehaves as its file asks: a tone of `toneFrames`
// frames, then what `after` does (nothing: the end; it is called again at each read).
class Misbehaving final : public PcmSource {
public:
    Misbehaving(pcm::Declared declared, qint64 toneFrames, std::function<qint16()> after = {},
                std::function<void()> atEnd = {})
        : declared_(declared), toneFrames_(toneFrames), after_(std::move(after)),
          atEnd_(std::move(atEnd)) {}
    ~Misbehaving() override {
        if (atEnd_)
            atEnd_();
    }
    Misbehaving(const Misbehaving&) = delete;
    Misbehaving& operator=(const Misbehaving&) = delete;
    pcm::Declared declared() const override { return declared_; }
    qsizetype read(qint16* out, qsizetype frames) override {
        for (qsizetype i = 0; i < frames; ++i, ++played_) {
            qint16 sample = 0;
            if (played_ < toneFrames_)
                sample = qint16(8000 * std::sin(played_ * 2 * M_PI * 440 / pcm::Rate));
            else if (after_)
                sample = after_();
            else
                return i;
            out[2 * i] = out[2 * i + 1] = sample;
        }
        return frames;
    }

private:
    pcm::Declared declared_;
    qint64 toneFrames_;
    std::function<qint16()> after_;
    std::function<void()> atEnd_;
    qint64 played_ = 0;
};

// Spends `time` of the processor, however busy the machine is.
void spinFor(std::chrono::nanoseconds time) {
    const auto used = [] {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    };
    for (const auto end = used() + time; used() < end;) {
    }
}

class HookedSoundFiles final : public SoundFiles {
public:
    explicit HookedSoundFiles(Synthesizer* synth) : real_(synth) {}

    // A file with a word of its own is taken for a MIDI piece, so that its play shows what the
    // word does.
    bool playable(SoundKind kind, int file) override {
        misbehaveAtOnce(file);
        const QByteArray head = headOf(file);
        for (const char* word : {"STALL", "SPIN", "DIE", "OVERLONG", "BURN", "LINGER", "RATE",
                                 "CHANNELS", "ENCODING", "ENDLESS", "HUGE", "ESCAPE "}) {
            if (head.startsWith(word))
                return true;
        }
        return real_.playable(kind, file);
    }

    std::unique_ptr<PcmSource> open(SoundKind kind, int file) override {
        misbehaveAtOnce(file);
        const QByteArray head = headOf(file);
        const qint64 tenth = pcm::Rate / 10;
        // A comment says how long it is; music plays to its end.
        const pcm::Declared device = deviceFormat(kind == SoundKind::Wave ? 100 * tenth : 0);
        if (head.startsWith("STALL")) // a tone, then it sleeps for ever
            return std::make_unique<Misbehaving>(device, tenth * 5, [] {
                for (;;)
                    ::sleep(3600);
                return 0;
            });
        if (head.startsWith("SPIN")) // a tone, then it spins for ever
            return std::make_unique<Misbehaving>(device, tenth * 5, [] {
                for (volatile bool spin = true; spin;) {
                }
                return 0;
            });
        if (head.startsWith("DIE")) // a tone, then it ends
            return std::make_unique<Misbehaving>(device, tenth * 5,
                                                 [] { return std::_Exit(0), 0; });
        if (head.startsWith("OVERLONG")) // a tenth of a second of silence declared, loud beyond
            return std::make_unique<Misbehaving>(
                deviceFormat(tenth), 0,
                [tenth, n = qint64(0)]() mutable { return qint16(++n <= tenth ? 0 : 30000); });
        if (head.startsWith("BURN")) // what it should send, with nine tenths of a core's work
            return std::make_unique<Misbehaving>(device, 0, [] {
                spinFor(std::chrono::nanoseconds(20'000));
                return 0;
            });
        if (head.startsWith("LINGER")) // a tone that ends, then it spins for ever
            return std::make_unique<Misbehaving>(device, tenth * 2, std::function<qint16()>(), [] {
                for (volatile bool spin = true; spin;) {
                }
            });
        if (head.startsWith("RATE")) // another rate than the device's
            return std::make_unique<Misbehaving>(pcm::Declared{pcm::Signed16, 22050, 2, 0}, tenth);
        if (head.startsWith("CHANNELS"))
            return std::make_unique<Misbehaving>(pcm::Declared{pcm::Signed16, pcm::Rate, 1, 0},
                                                 tenth);
        if (head.startsWith("ENCODING"))
            return std::make_unique<Misbehaving>(pcm::Declared{7, pcm::Rate, 2, 0}, tenth);
        if (head.startsWith("ENDLESS")) // a comment that says it has no end
            return std::make_unique<Misbehaving>(deviceFormat(0), tenth);
        if (head.startsWith("HUGE")) // more frames than its kind can hold
            return std::make_unique<Misbehaving>(deviceFormat(pcm::LongestMidi + 1), tenth);
        if (head.startsWith("ESCAPE ")) { // one frame: the errno that refused it, -1 if it worked
            const int outcome = escapeOutcome(head.mid(7).trimmed());
            const auto result = qint16(outcome == 0 ? -1 : outcome);
            return std::make_unique<Misbehaving>(deviceFormat(1), 0, [result] { return result; });
        }
        return real_.open(kind, file);
    }

private:
    static QByteArray headOf(int file) {
        QByteArray head(256, '\0');
        const ssize_t n = ::pread(file, head.data(), size_t(head.size()), 0);
        head.truncate(n > 0 ? n : 0);
        const qsizetype line = head.indexOf('\n');
        return line < 0 ? head : head.left(line);
    }

    // Words that end or hang the process before it answers.
    static void misbehaveAtOnce(int file) {
        const QByteArray head = headOf(file);
        if (head.startsWith("CRASH"))
            std::abort();
        if (head.startsWith("HANG")) {
            for (volatile bool spin = true; spin;) {
            }
        }
    }

    DecodedSoundFiles real_;
};

} // namespace

int main(int argc, char** argv) {
    // Lets a test confine the process as on an older kernel, or one without Landlock.
    SoundHelperOptions options;
    bool given = false;
    const int version = qEnvironmentVariableIntValue("QUIRELLO_TEST_LANDLOCK_VERSION", &given);
    if (given)
        options.landlockVersionAtMost = version;
    return runSoundHelper(
        argc, argv, [](Synthesizer* synth) { return std::make_unique<HookedSoundFiles>(synth); },
        options);
}
