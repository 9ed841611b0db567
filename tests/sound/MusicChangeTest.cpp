#include "FakeSound.h"
#include "sound/Music.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const QStringList kStop = {"mci open  type sequencer alias can", "mci close can", "mp3 stop"};

// A show folder with `files` in it, and a music change run in its folder `F/`.
struct Change {
    testfiles::Sandbox box;
    FakeSound sound;
    bool restart = true;
    QString folder() const { return box.path() + "/F/"; }
    explicit Change(const QStringList& files) {
        for (const QString& name : files)
            testfiles::write(box.file("F/" + name));
    }
    MusicOutcome run(qint16 musicaFM = 1, bool running = true) {
        return MusicChange(sound.devices, {box.path() + '/', "F/", musicaFM, running}, restart,
                           sound, sound);
    }
    QString midiOpen(const QString& name) const {
        return "mci open \"" + folder() + name + "\" type sequencer alias can";
    }
};

} // namespace

TEST(MusicStop, SendsTheStopSequenceThenStopsTheMp3) {
    FakeSound sound;
    StopMusic(sound.devices);
    EXPECT_EQ(sound.log, kStop);
}

TEST(MusicChange, MidiStartSendsTheRestartSequenceWithOneYieldThenWaitsMoreThanASecond) {
    Change c({"tema.mid"});
    c.sound.stepMs = 500;
    EXPECT_EQ(c.run(), MusicOutcome::Continue);
    const QString open = c.midiOpen("tema.mid");
    // After "play can ": yields until more than 1 s has passed (500, 1000, 1500 ms).
    EXPECT_EQ(c.sound.log, kStop + QStringList({open, "mci close can", "yield", open,
                                                "mci play can ", "yield", "yield", "yield"}));
    EXPECT_FALSE(c.restart);
}

TEST(MusicChange, Mp3StartStopsAgainWaitsMoreThanThreeSecondsThenPlaysWithoutQuotes) {
    Change c({"musica.mp3"});
    c.sound.stepMs = 1000;
    EXPECT_EQ(c.run(), MusicOutcome::Continue);
    // Exactly 3 s is not enough: the play comes after the fourth second.
    EXPECT_EQ(c.sound.log,
              kStop + QStringList({"mp3 stop", "yield", "yield", "yield", "yield",
                                   "mp3 play " + c.folder() + "musica.mp3", "yield", "yield"}));
    EXPECT_FALSE(c.restart);
}

TEST(MusicChange, TheFirstFileOfThePreferredKindWinsWithoutRegardToCase) {
    const struct {
        QStringList files;
        QString played; // "" = silent
    } cases[] = {
        {{"a.mid", "b.mp3"}, "b.mp3"},
        {{"Musica.MP3", "a.mid", "a.rmi"}, "Musica.MP3"},
        {{"b.mp3", "A.MP3"}, "A.MP3"},
        {{"TEMA.MID", "a.rmi"}, "TEMA.MID"},
        {{"zeta.mid", "Alfa.mid"}, "Alfa.mid"},
        {{"Z.RMI", "note.txt"}, "Z.RMI"},
        {{".nascosta.mp3", "a.mid"}, "a.mid"},
        {{"mare.jpg", "mare.wav", "mp3", "a.mp3x"}, ""},
        {{}, ""}, // no folder at all
    };
    for (const auto& k : cases) {
        Change c(k.files);
        c.run();
        const QString how = k.files.join(',');
        if (k.played.isEmpty())
            EXPECT_EQ(c.sound.log, kStop) << how.toStdString();
        else if (k.played.endsWith("mp3", Qt::CaseInsensitive))
            EXPECT_TRUE(c.sound.log.contains("mp3 play " + c.folder() + k.played))
                << how.toStdString();
        else
            EXPECT_EQ(c.sound.log.value(3), c.midiOpen(k.played)) << how.toStdString();
    }
}

TEST(MusicChange, MusicOffOrShowNotRunningStopsButNeverStartsNorWaits) {
    const struct {
        qint16 musicaFM;
        bool running;
        bool starts;
    } cases[] = {{0, true, false}, {0, false, false}, {1, false, false}, {-1, true, true}};
    for (const auto& k : cases) {
        Change c({"musica.mp3", "tema.mid"});
        EXPECT_EQ(c.run(k.musicaFM, k.running), MusicOutcome::Continue);
        EXPECT_FALSE(c.restart);
        if (k.starts)
            EXPECT_GT(c.sound.log.size(), kStop.size());
        else
            EXPECT_EQ(c.sound.log, kStop) << k.musicaFM << k.running;
    }
}

// The show ends at yield number `endAt`: nothing may be sent after that yield, and the music
// starts only when the show ended after its start.
TEST(MusicChange, AShowEndedAtAnyYieldStopsTheChangeAtOnce) {
    const struct {
        const char* file;
        int endAt;
        bool started;
    } cases[] = {
        {"tema.mid", 1, false}, // the yield between close and the second open
        {"tema.mid", 2, true},  // the wait after "play can "
        {"tema.mid", 4, true},     {"musica.mp3", 1, false}, // the wait before the play
        {"musica.mp3", 13, false}, {"musica.mp3", 14, true}, // the wait after the play
    };
    for (const auto& k : cases) {
        Change c({k.file});
        c.sound.endAt = k.endAt;
        EXPECT_EQ(c.run(), MusicOutcome::ShowEnded) << k.file << k.endAt;
        EXPECT_EQ(c.sound.yields, k.endAt);
        EXPECT_EQ(c.sound.log.last(), "yield") << k.file << k.endAt;
        const bool started =
            c.sound.log.contains("mci play can ") || !c.sound.log.filter("mp3 play").isEmpty();
        EXPECT_EQ(started, k.started) << k.file << k.endAt;
    }
}

TEST(MusicChange, AnMp3ThatCannotBePlayedTakesTheFailurePathWithoutWaitingFurther) {
    Change c({"musica.mp3"});
    c.sound.playSucceeds = false;
    EXPECT_EQ(c.run(), MusicOutcome::Mp3Failed);
    EXPECT_TRUE(c.sound.log.last().startsWith("mp3 play "));
}
