// bench_sound [SECONDS] [ROUNDS]: what sound costs the show now that the sound processes decode
// every file, against the engine and players that decoded in the program itself (SDL2_mixer with
// libmpg123, fluidsynth: baseline/), measured in the same run:
//   - the first sound of a comment, of MP3 music and of MIDI music after the show's step that
//     starts it, the device open and the decoding ready (a show starts its sound processes when
//     it opens): the median and the slowest of ROUNDS (default 20), the two engines taking
//     turns;
//   - the same with nothing opened or started yet;
//   - the processor time of the program and of the sound process over SECONDS (default 60) of MP3
//     and of MIDI music.
// Uses SDL_AUDIODRIVER when set, otherwise the disk driver writing to /dev/null, which takes the
// sound at the pace of a real device.
#include "audio/AudioEngine.h"
#include "audio/SdlCommentSound.h"
#include "audio/SdlMciSequencer.h"
#include "audio/SdlMp3Player.h"
#include "baseline/AudioEngine.h"
#include "baseline/SdlCommentSound.h"
#include "baseline/SdlMciSequencer.h"
#include "baseline/SdlMp3Player.h"
#include "helpers/SoundDecoders.h"

#include <SDL2/SDL_mixer.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

// The first block with sound that reaches the device after a mark, seen from the audio thread.
struct FirstSound {
    std::atomic<qint64> markedAt{0};
    std::atomic<qint64> heardAt{0};

    void mark() {
        heardAt = 0;
        markedAt = nowNs();
    }
    void block(const qint16* samples, int frames) {
        if (markedAt == 0 || heardAt != 0)
            return;
        if (std::any_of(samples, samples + 2 * frames, [](qint16 s) { return s != 0; }))
            heardAt = nowNs();
    }
    // Milliseconds from the mark to the sound; nothing when none came within two seconds.
    std::optional<double> waitMs() {
        for (int i = 0; i < 2000 && heardAt == 0; ++i)
            QThread::msleep(1);
        const qint64 heard = heardAt;
        const qint64 marked = markedAt.exchange(0);
        if (heard == 0)
            return std::nullopt;
        return double(heard - marked) / 1e6;
    }
};

struct Latency {
    std::vector<double> ms;
    int silent = 0;
    void add(std::optional<double> v) {
        if (v)
            ms.push_back(*v);
        else
            ++silent;
    }
    double median() const {
        if (ms.empty())
            return -1;
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
    double slowest() const { return ms.empty() ? -1 : *std::max_element(ms.begin(), ms.end()); }
};

double processSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double processSeconds(pid_t pid) {
    clockid_t clock;
    timespec used{};
    if (pid <= 0 || ::clock_getcpuclockid(pid, &clock) != 0 || ::clock_gettime(clock, &used) != 0)
        return 0;
    return double(used.tv_sec) + double(used.tv_nsec) / 1e9;
}

bool sox(const QStringList& args) {
    return QProcess::execute("sox", args) == 0;
}

// A piano piece of 72 seconds: a chord and a bass note on every beat, at 120 beats a minute.
QByteArray longPiece() {
    QByteArray track;
    const auto event = [&](int delta, std::initializer_list<int> bytes) {
        track += char(delta >= 128 ? 0x80 | (delta >> 7) : delta);
        if (delta >= 128)
            track += char(delta & 0x7F);
        for (int b : bytes)
            track += char(b);
    };
    const int chords[4][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
    event(0, {0xC1, 32}); // a bass on channel 1
    for (int beat = 0; beat < 144; ++beat) {
        const int* chord = chords[(beat / 4) % 4];
        event(0, {0x90, chord[0], 80});
        event(0, {0x90, chord[1], 70});
        event(0, {0x90, chord[2], 70});
        event(0, {0x91, chord[0] - 24, 90});
        event(90, {0x80, chord[0], 0});
        event(0, {0x80, chord[1], 0});
        event(0, {0x80, chord[2], 0});
        event(0, {0x81, chord[0] - 24, 0});
        event(6, {0xB0, 0x40, 0}); // a controller between beats keeps every tick busy
    }
    event(0, {0xFF, 0x2F, 0});
    QByteArray smf("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);
    smf += "MTrk";
    const quint32 length = quint32(track.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        smf += char((length >> shift) & 0xFF);
    return smf + track;
}

// The files of one show: a comment, an MP3 folder and a MIDI folder.
struct Show {
    QTemporaryDir dir;
    QString comment, mp3, midi;
    bool made = false;

    explicit Show(int seconds) {
        const QString root = dir.path() + "/";
        comment = root + "mare.wav";
        mp3 = root + "musica.mp3";
        midi = root + "tema.mid";
        QFile piece(midi);
        made = sox({"-n", "-r", "44100", "-c", "1", comment, "synth", "0.3", "sine", "440", "vol",
                    "0.5"}) &&
               sox({"-n", "-r", "44100", "-c", "2", mp3, "synth", QString::number(seconds + 10),
                    "sine", "440", "vol", "0.5"}) &&
               piece.open(QIODevice::WriteOnly) && piece.write(longPiece()) > 0;
    }
    QString open() const { return "open \"" + midi + "\" type sequencer alias can"; }
};

// The three players of one engine, either kind: what the measurements ask of them.
struct Players {
    std::function<bool()> comment, mp3, midi; // the step that starts each
    std::function<void()> stopMusic;
    std::function<pid_t(SoundKind)> pidOf = [](SoundKind) { return pid_t(-1); };
};

// The first sound after one step, the output silent again afterwards.
void measureStep(const Players& players, int kind, FirstSound& first, Latency& out) {
    const std::function<bool()>* steps[] = {&players.comment, &players.mp3, &players.midi};
    first.mark();
    (*steps[kind])();
    out.add(first.waitMs());
    players.stopMusic();
    QThread::msleep(kind == 0 ? 400 : 150); // the comment plays out, music rings out
}

struct Cpu {
    double program = 0;
    double process = 0;
};

Cpu measureCpu(const std::function<bool()>& start, const Players& players, SoundKind kind,
               int seconds) {
    start();
    QThread::msleep(500);
    const pid_t pid = players.pidOf(kind);
    const double program = processSeconds(), process = processSeconds(pid);
    QThread::sleep(ulong(seconds));
    const Cpu cpu{processSeconds() - program, processSeconds(pid) - process};
    players.stopMusic();
    return cpu;
}

void line(const char* what, const Latency& before, const Latency& after) {
    std::printf("  %-18s %7.1f ms (slowest %6.1f)   %7.1f ms (slowest %6.1f)   %5.2f x", what,
                before.median(), before.slowest(), after.median(), after.slowest(),
                after.median() / before.median());
    if (before.silent + after.silent > 0)
        std::printf("   silent: %d before, %d after", before.silent, after.silent);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 20;
    if (qgetenv("SDL_AUDIODRIVER").isEmpty()) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    }
    const Show show(seconds);
    if (!show.made) {
        std::fprintf(stderr, "sox is needed to make the test sounds\n");
        return 1;
    }
    FirstSound first;
    Latency warmBefore[3], warmAfter[3], coldBefore[3], coldAfter[3];
    double loadAtStart = 0;
    ::getloadavg(&loadAtStart, 1);
    Cpu cpuBefore[2], cpuAfter[2];

    // Each kind first in fresh engines, nothing opened or started: before, everything decoded
    // in the program; after, by the sound processes.
    const QString program = QStringLiteral(QUIRELLO_SOUND_PROGRAM);
    const auto postMix = [](void* f, Uint8* s, int n) {
        static_cast<FirstSound*>(f)->block(reinterpret_cast<qint16*>(s), n / 4);
    };
    for (int kind = 0; kind < 3; ++kind) {
        inprocess::AudioEngine engine;
        inprocess::SdlCommentSound comment(engine);
        inprocess::SdlMp3Player mp3(engine);
        inprocess::SdlMciSequencer mci(engine);
        first.mark();
        const bool started = kind == 0 ? comment.sndPlaySound(show.comment)
                             : kind == 1
                                 ? mp3.play(show.mp3)
                                 : mci.mciSendString(show.open()) && mci.mciSendString("play can ");
        Mix_SetPostMix(postMix, &first);
        coldBefore[kind].add(started ? first.waitMs() : std::nullopt);
        Mix_SetPostMix(nullptr, nullptr);
    }
    for (int kind = 0; kind < 3; ++kind) {
        SoundDecoders decoding(program);
        AudioEngine engine;
        SdlCommentSound comment(engine, decoding);
        SdlMp3Player mp3(engine, decoding);
        SdlMciSequencer mci(engine, decoding);
        first.mark();
        engine.setTap([&first](const qint16* s, int n) { first.block(s, n); });
        const bool started = kind == 0 ? comment.sndPlaySound(show.comment)
                             : kind == 1
                                 ? mp3.play(show.mp3)
                                 : mci.mciSendString(show.open()) && mci.mciSendString("play can ");
        engine.setTap([&first](const qint16* s, int n) { first.block(s, n); });
        coldAfter[kind].add(started ? first.waitMs() : std::nullopt);
    }

    // As in a show under way: the device open, the soundfont loaded, the sound processes
    // started with the show. The two engines play side by side, each to its own device, and
    // take turns, so that both meet the same load of the machine.
    FirstSound firstBefore, firstAfter;
    inprocess::AudioEngine oldEngine;
    inprocess::SdlCommentSound oldComment(oldEngine);
    inprocess::SdlMp3Player oldMp3(oldEngine);
    inprocess::SdlMciSequencer oldMci(oldEngine);
    oldEngine.ready();
    oldMci.mciSendString(show.open()); // the soundfont loads, as in a show's first MIDI folder
    oldMci.waitUntilLoaded(60000);
    oldMci.mciSendString("close can");
    Mix_SetPostMix(postMix, &firstBefore);
    Players before;
    before.comment = [&] { return oldComment.sndPlaySound(show.comment); };
    before.mp3 = [&] { return oldMp3.play(show.mp3); };
    before.midi = [&] {
        return oldMci.mciSendString(show.open()) && oldMci.mciSendString("play can ");
    };
    before.stopMusic = [&] {
        oldMci.mciSendString("close can");
        oldMp3.stop();
    };

    SoundDecoders decoding(program);
    AudioEngine engine;
    SdlCommentSound comment(engine, decoding);
    SdlMp3Player mp3(engine, decoding);
    SdlMciSequencer mci(engine, decoding);
    decoding.prepare(SoundKind::Wave);
    decoding.prepare(SoundKind::Midi);
    engine.ready();
    decoding.waitUntilReady(SoundKind::Wave, 60000);
    decoding.waitUntilReady(SoundKind::Midi, 60000);
    engine.setTap([&firstAfter](const qint16* s, int n) { firstAfter.block(s, n); });
    Players after;
    after.comment = [&] { return comment.sndPlaySound(show.comment); };
    after.mp3 = [&] { return mp3.play(show.mp3); };
    after.midi = [&] { return mci.mciSendString(show.open()) && mci.mciSendString("play can "); };
    after.stopMusic = [&] {
        mci.mciSendString("close can");
        mp3.stop();
    };
    after.pidOf = [&](SoundKind kind) { return decoding.of(kind).pid(); };

    for (int round = 0; round < rounds; ++round) {
        for (int kind = 0; kind < 3; ++kind) {
            if (round % 2 == 0) {
                measureStep(before, kind, firstBefore, warmBefore[kind]);
                measureStep(after, kind, firstAfter, warmAfter[kind]);
            } else {
                measureStep(after, kind, firstAfter, warmAfter[kind]);
                measureStep(before, kind, firstBefore, warmBefore[kind]);
            }
        }
    }
    cpuBefore[0] = measureCpu(before.mp3, before, SoundKind::Mp3, seconds);
    cpuAfter[0] = measureCpu(after.mp3, after, SoundKind::Mp3, seconds);
    cpuBefore[1] = measureCpu(before.midi, before, SoundKind::Midi, seconds);
    cpuAfter[1] = measureCpu(after.midi, after, SoundKind::Midi, seconds);
    Mix_SetPostMix(nullptr, nullptr);
    engine.setTap({});

    double loadAtEnd = 0;
    ::getloadavg(&loadAtEnd, 1);
    std::printf("driver: %s; %d rounds; the machine's load %.1f at the start, %.1f at the end\n",
                qgetenv("SDL_AUDIODRIVER").constData(), rounds, loadAtStart, loadAtEnd);
    std::printf("first sound after its step    before: in the program          after: sound "
                "process          after/before\n");
    line("comment", warmBefore[0], warmAfter[0]);
    line("MP3 music", warmBefore[1], warmAfter[1]);
    line("MIDI music", warmBefore[2], warmAfter[2]);
    std::printf("the same, nothing opened or started before (the device opens; in-process MIDI "
                "loads its soundfont, a sound process starts)\n");
    line("comment", coldBefore[0], coldAfter[0]);
    line("MP3 music", coldBefore[1], coldAfter[1]);
    line("MIDI music", coldBefore[2], coldAfter[2]);
    std::printf("processor time over %d s        before: the program   after: the program + the "
                "sound process   after/before\n",
                seconds);
    const char* kinds[] = {"MP3 music", "MIDI music"};
    for (int k = 0; k < 2; ++k) {
        const double inProgram = cpuBefore[k].program,
                     inBoth = cpuAfter[k].program + cpuAfter[k].process;
        std::printf(
            "  %-18s %7.2f s (%4.1f%%)      %6.2f s + %6.2f s (%4.1f%%)           %5.2f x\n",
            kinds[k], inProgram, 100 * inProgram / seconds, cpuAfter[k].program,
            cpuAfter[k].process, 100 * inBoth / seconds, inBoth / inProgram);
    }
    const auto within = [](const Latency& l, double ms) {
        return l.silent == 0 && l.median() >= 0 && l.median() <= ms;
    };
    std::printf("goals (after its step, the median: a comment within 30 ms, music within 50 "
                "ms): %s\n",
                within(warmAfter[0], 30) && within(warmAfter[1], 50) && within(warmAfter[2], 50)
                    ? "met"
                    : "NOT met");
    return 0;
}
