// Prints the time sound adds to a show tick, with the ratio against a bare SDL audio start-up
// (init + open of the same driver) measured in the same run. Uses SDL_AUDIODRIVER when set,
// otherwise the disk driver writing to /dev/null.
#include "platform/audio/AudioEngine.h"
#include "platform/audio/SdlCommentSound.h"
#include "platform/audio/SdlMciSequencer.h"
#include "platform/audio/SdlMp3Player.h"
#include "sound/Music.h"

#include <SDL2/SDL.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 5;

// Waits end at once: the music change's steps run one after the other, so only the work
// remains.
void changeMusic(SoundDevices& devices, const MusicChangeInput& input, bool& restart) {
    for (const MusicStep& step : MusicChange(devices, input, restart))
        if (step.run)
            step.run();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

bool sox(const QStringList& args) {
    return QProcess::execute("sox", args) == 0;
}

QByteArray midiNote() {
    static const unsigned char bytes[] = {'M',  'T',  'h', 'd',  0,   0,    0,    6,   0,   0,
                                          0,    1,    0,   96,   'M', 'T',  'r',  'k', 0,   0,
                                          0,    15,   0,   0xC0, 0,   0,    0x90, 60,  100, 0x81,
                                          0x40, 0x80, 60,  0,    0,   0xFF, 0x2F, 0};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

void report(const char* what, double ms, double baseline) {
    std::printf("%-44s %8.2f ms   %6.2f x baseline\n", what, ms, ms / baseline);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qgetenv("SDL_AUDIODRIVER").isEmpty()) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    }
    QTemporaryDir dir;
    const QString show = dir.path() + "/";
    const QString wav = show + "./mare.wav";
    QDir(show).mkpath("Mp3");
    QDir(show).mkpath("Midi");
    if (!sox({"-n", "-r", "44100", "-c", "1", wav, "synth", "2", "sine", "440"}) ||
        !sox({"-n", "-r", "44100", "-c", "2", show + "Mp3/musica.mp3", "synth", "60", "sine",
              "440"})) {
        std::fprintf(stderr, "sox is needed to make the test sounds\n");
        return 1;
    }
    QFile midi(show + "Midi/tema.mid");
    if (!midi.open(QIODevice::WriteOnly) || midi.write(midiNote()) < 0)
        return 1;
    midi.close();

    std::vector<double> bare, firstComment, firstMp3;
    bool played = true;
    for (int i = 0; i < kRounds; ++i) {
        SDL_AudioDeviceID id = 0;
        bare.push_back(timeMs([&] {
            SDL_InitSubSystem(SDL_INIT_AUDIO);
            SDL_AudioSpec want{};
            want.freq = 44100;
            want.format = AUDIO_S16SYS;
            want.channels = 2;
            want.samples = 1024;
            want.callback = [](void*, Uint8* s, int n) { SDL_memset(s, 0, size_t(n)); };
            id = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        }));
        if (id != 0)
            SDL_CloseAudioDevice(id);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        {
            AudioEngine engine;
            SdlCommentSound comment(engine);
            firstComment.push_back(timeMs([&] { played &= comment.sndPlaySound(wav); }));
        }
        {
            AudioEngine engine;
            SdlMp3Player mp3(engine);
            firstMp3.push_back(timeMs([&] { played &= mp3.play(show + "Mp3/musica.mp3"); }));
        }
    }

    // Music changes on one engine, as in a show: MIDI folder, MP3 folder, silent folder, ...
    std::vector<double> firstMidiChange, midiChange, mp3Change, silentChange;
    double soundfontMs = 0;
    {
        AudioEngine engine;
        SdlMciSequencer mci(engine);
        SdlMp3Player mp3(engine);
        SdlCommentSound comment(engine);
        SoundDevices devices{mci, mp3, comment};
        engine.ready();
        bool restart = false;
        auto change = [&](const QString& folder) {
            return timeMs([&] { changeMusic(devices, {show, folder, 1, true}, restart); });
        };
        firstMidiChange.push_back(change("Midi/"));
        soundfontMs = timeMs([&] { mci.waitUntilLoaded(60000); });
        for (int i = 0; i < kRounds; ++i) {
            midiChange.push_back(change("Midi/"));
            mp3Change.push_back(change("Mp3/"));
            silentChange.push_back(change("./"));
        }
    }

    const double base = median(bare);
    std::printf("driver: %s (median of %d rounds)\n", qgetenv("SDL_AUDIODRIVER").constData(),
                kRounds);
    report("baseline: bare SDL audio init + open", base, base);
    report("first comment (opens the device)", median(firstComment), base);
    report("first MP3 play (opens the device)", median(firstMp3), base);
    report("first MIDI music change (loading aside)", firstMidiChange.front(), base);
    report("  soundfont loading, in the background", soundfontMs, base);
    report("MIDI music change, waits aside", median(midiChange), base);
    report("MP3 music change, waits aside", median(mp3Change), base);
    report("music change to a silent folder", median(silentChange), base);
    if (!played)
        std::printf("some sound could not be played: the figures are not meaningful\n");
    return played ? 0 : 1;
}
