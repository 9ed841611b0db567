// Sound files that make the sound process crash, hang, stall, spin, die in the middle or lie
// about what it sends (files the test build of the process misbehaves on): each leaves silence,
// the process is ended and never asked again, and the next sound plays from a new one.
#include "AudioFixture.h"
#include "support/Rows.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QTest>
#include <signal.h>

namespace {

using namespace std::chrono_literals;
using audiotest::Audible;
using audiotest::Devices;

enum class Player { Comment, Mp3, Midi };

const struct Hostile {
    const char* word;
    Player player;
    bool starts;    // what the player answers
    bool toneFirst; // half a second of a tone before it misbehaves
} hostile[] = {
    {"CRASH", Player::Comment, false, false}, {"CRASH", Player::Midi, false, false},
    {"HANG", Player::Mp3, false, false},      {"HANG", Player::Midi, false, false},
    {"STALL", Player::Comment, true, true},   {"SPIN", Player::Mp3, true, true},
    {"DIE", Player::Midi, true, true},        {"OVERLONG", Player::Comment, true, false},
    {"RATE", Player::Mp3, false, false},      {"CHANNELS", Player::Comment, false, false},
    {"ENCODING", Player::Midi, false, false}, {"ENDLESS", Player::Comment, false, false},
    {"HUGE", Player::Midi, false, false},
};

SoundKind kindOf(Player player) {
    return player == Player::Comment ? SoundKind::Wave
           : player == Player::Mp3   ? SoundKind::Mp3
                                     : SoundKind::Midi;
}

// Starts `file` as the show would with the player, and says whether the player took it.
bool start(Devices& d, Player player, const QString& file) {
    switch (player) {
    case Player::Comment:
        return d.comment.sndPlaySound(d.box.file(file));
    case Player::Mp3:
        return d.mp3.play(d.box.file(file));
    case Player::Midi:
        d.mci.mciSendString("close can");
        return d.mci.mciSendString(d.open(file)) && d.mci.mciSendString("play can ");
    }
    return false;
}

// A real file of the player's kind.
QString good(Devices& d, Player player) {
    switch (player) {
    case Player::Comment:
        return QFileInfo(audiotest::makeTone(d.box, "buono.wav", 2)).fileName();
    case Player::Mp3:
        return QFileInfo(audiotest::makeTone(d.box, "buono.mp3", 2)).fileName();
    case Player::Midi:
        return QFileInfo(audiotest::makeMidi(d.box, "buono.mid")).fileName();
    }
    return {};
}

} // namespace

TABLE_TEST(HostileSounds, LeaveSilenceAndTheNextSoundPlaysFromANewProcess, hostile) {
    const Hostile& h = GetParam();
    Devices d(testfiles::hookedSoundProgram(), 500ms);
    const SoundKind kind = kindOf(h.player);
    ASSERT_TRUE(d.engine.ready());
    ASSERT_TRUE(d.decoding.waitUntilReady(kind, 20000));
    const pid_t first = d.decoding.of(kind).pid();
    const QString name = h.player == Player::Comment ? "ostile.wav"
                         : h.player == Player::Mp3   ? "ostile.mp3"
                                                     : "ostile.mid";
    testfiles::write(d.box.file(name), QByteArray(h.word) + "\n");

    EXPECT_EQ(start(d, h.player, name), h.starts);
    if (h.toneFirst) {
        EXPECT_GT(d.output.peakOver(200, 50), Audible) << "the tone before it misbehaved";
        EXPECT_EQ(d.output.peakOver(300, 4000), 0) << "still sounding after it misbehaved";
    } else {
        EXPECT_EQ(d.output.peakOver(300, 100), 0);
    }

    ASSERT_TRUE(start(d, h.player, good(d, h.player)));
    EXPECT_GT(d.output.peakOver(250, 200), Audible) << "the next sound is silent";
    EXPECT_NE(d.decoding.of(kind).pid(), first) << "the process was asked again";
    EXPECT_NE(d.decoding.of(kind).pid(), -1);
}

// A process that burns the processor is ended, whether it keeps its sound fed meanwhile or its
// sound has ended. (MIDI: an MP3's stream may not outlast what its file can hold, which would end
// the first one before.)
TEST(HostileSound, AProcessThatBurnsTheProcessorIsEnded) {
    for (const char* word : {"BURN", "LINGER"}) {
        SCOPED_TRACE(word);
        Devices d(testfiles::hookedSoundProgram());
        testfiles::write(d.box.file("brucia.mid"), QByteArray(word) + "\n");
        ASSERT_TRUE(d.mci.mciSendString(d.open("brucia.mid")));
        ASSERT_TRUE(d.mci.mciSendString("play can "));
        const pid_t burning = d.decoding.of(SoundKind::Midi).pid();
        ASSERT_GT(burning, 0);
        // Ended by the program's kill, it waits to be reaped: a zombie.
        const auto state = [burning] {
            const QByteArray stat = testfiles::read(QStringLiteral("/proc/%1/stat").arg(burning));
            return stat.mid(stat.lastIndexOf(')') + 2, 1);
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return state() == "Z"; }, 20000))
            << "still " << state().toStdString();
        EXPECT_TRUE(d.mci.mciSendString("close can"));
    }
}
