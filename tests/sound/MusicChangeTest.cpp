#include "FakeSound.h"
#include "sound/Music.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using fakesound::Rig;

namespace {

const QString kStopOpen = QStringLiteral("mci open  type sequencer alias can");
const QString kClose = QStringLiteral("mci close can");

struct Show {
    testfiles::Sandbox box;
    QString showFolder() const { return box.path() + '/'; }
    MusicChangeInput input(const QString& pictureFolder, qint16 musicaFM = 1,
                           bool running = true) const {
        return {showFolder(), pictureFolder, musicaFM, running};
    }
};

} // namespace

TEST(MusicStop, SendsTheStopSequenceThenStopsTheMp3) {
    Rig rig;
    StopMusic(rig.devices);
    EXPECT_EQ(rig.log.lines, QStringList({kStopOpen, kClose, "mp3 stop"}));
}

TEST(MusicChange, MidiStartSendsTheRestartSequenceWithOneYieldThenWaitsMoreThanASecond) {
    Show show;
    testfiles::write(show.box.file("Estate/tema.mid"));
    Rig rig;
    rig.yielder.stepMs = 500;
    bool restart = true;
    const qint64 start = rig.clock.now;

    EXPECT_EQ(MusicChange(rig.devices, show.input("Estate/"), restart, rig.yielder, rig.clock),
              MusicOutcome::Continue);

    const QString open =
        "mci open \"" + show.showFolder() + "Estate/tema.mid\" type sequencer alias can";
    // Stop, restart with its one yield, start, then yields until more than 1 s: 500, 1000, 1500.
    EXPECT_EQ(rig.log.lines, QStringList({kStopOpen, kClose, "mp3 stop", open, kClose, "yield",
                                          open, "mci play can ", "yield", "yield", "yield"}));
    EXPECT_FALSE(restart);
    EXPECT_EQ(rig.clock.now - start, 2000);
}

TEST(MusicChange, Mp3StartStopsAgainWaitsMoreThanThreeSecondsThenPlaysWithoutQuotes) {
    Show show;
    testfiles::write(show.box.file("musica.mp3"));
    Rig rig;
    rig.yielder.stepMs = 1000;
    bool restart = true;
    const qint64 start = rig.clock.now;

    EXPECT_EQ(MusicChange(rig.devices, show.input("./"), restart, rig.yielder, rig.clock),
              MusicOutcome::Continue);

    // Exactly 3 s is not enough: the play comes after the fourth second.
    EXPECT_EQ(
        rig.log.lines,
        QStringList({kStopOpen, kClose, "mp3 stop", "mp3 stop", "yield", "yield", "yield", "yield",
                     "mp3 play " + show.showFolder() + "./musica.mp3", "yield", "yield"}));
    EXPECT_FALSE(restart);
    EXPECT_EQ(rig.clock.now - start, 6000);
}

TEST(MusicChange, TheFirstFileOfThePreferredKindWinsWithoutRegardToCase) {
    struct Case {
        QStringList files;
        QString played; // "" = silent
        bool midi;
    };
    const Case cases[] = {
        {{"a.mid", "b.mp3"}, "b.mp3", false},
        {{"TEMA.MID", "z.rmi"}, "TEMA.MID", true},
        {{"z.rmi"}, "z.rmi", true},
        {{"Z.RMI", "note.txt"}, "Z.RMI", true},
        {{"Musica.MP3", "a.mid", "a.rmi"}, "Musica.MP3", false},
        {{"b.mp3", "A.MP3"}, "A.MP3", false},
        {{"zeta.mid", "Alfa.mid"}, "Alfa.mid", true},
        {{".nascosta.mp3", "a.mid"}, "a.mid", true},
        {{"mare.jpg", "mare.wav", "mp3", "a.mp3x"}, "", false},
        {{}, "", false},
    };
    for (const Case& c : cases) {
        Show show;
        for (const QString& name : c.files)
            testfiles::write(show.box.file("F/" + name));
        Rig rig;
        bool restart = false;
        MusicChange(rig.devices, show.input("F/"), restart, rig.yielder, rig.clock);
        const QString path = show.showFolder() + "F/" + c.played;
        QString started;
        for (const QString& line : rig.log.lines) {
            if (line.startsWith("mp3 play "))
                started = line;
            else if (line.startsWith("mci open \"") && started.isEmpty())
                started = line;
        }
        if (c.played.isEmpty())
            EXPECT_EQ(started, "") << c.files.join(',').toStdString();
        else if (c.midi)
            EXPECT_EQ(started, "mci open \"" + path + "\" type sequencer alias can")
                << c.files.join(',').toStdString();
        else
            EXPECT_EQ(started, "mp3 play " + path) << c.files.join(',').toStdString();
    }
}

TEST(MusicChange, MusicOffOrShowNotRunningStopsButNeverStartsNorWaits) {
    const struct {
        qint16 musicaFM;
        bool running;
    } cases[] = {{0, true}, {0, false}, {1, false}, {-1, false}};
    for (const auto& c : cases) {
        Show show;
        testfiles::write(show.box.file("F/musica.mp3"));
        testfiles::write(show.box.file("F/tema.mid"));
        Rig rig;
        bool restart = true;
        EXPECT_EQ(MusicChange(rig.devices, show.input("F/", c.musicaFM, c.running), restart,
                              rig.yielder, rig.clock),
                  MusicOutcome::Continue);
        EXPECT_EQ(rig.log.lines, QStringList({kStopOpen, kClose, "mp3 stop"}));
        EXPECT_FALSE(restart);
        EXPECT_EQ(rig.yielder.count, 0);
    }
}

TEST(MusicChange, AnyNonZeroMusicaFmStartsMusic) {
    Show show;
    testfiles::write(show.box.file("F/tema.mid"));
    Rig rig;
    bool restart = false;
    MusicChange(rig.devices, show.input("F/", -1), restart, rig.yielder, rig.clock);
    EXPECT_TRUE(rig.log.lines.contains("mci play can "));
}

// The show ends at yield number `endAt`: nothing may be sent after that yield.
TEST(MusicChange, AShowEndedAtAnyYieldStopsTheChangeAtOnce) {
    struct Case {
        const char* file;
        int endAt;
    };
    const Case cases[] = {
        {"tema.mid", 1},                        // the yield between close and the second open
        {"tema.mid", 2},                        // the wait after "play can "
        {"tema.mid", 4},    {"musica.mp3", 1},  // the wait before the play
        {"musica.mp3", 13}, {"musica.mp3", 14}, // the wait after the play
    };
    for (const Case& c : cases) {
        Show show;
        testfiles::write(show.box.file(c.file));
        Rig rig;
        rig.yielder.endAt = c.endAt;
        bool restart = true;
        EXPECT_EQ(MusicChange(rig.devices, show.input(""), restart, rig.yielder, rig.clock),
                  MusicOutcome::ShowEnded)
            << c.file << " " << c.endAt;
        EXPECT_EQ(rig.yielder.count, c.endAt);
        EXPECT_EQ(rig.log.lines.last(), "yield") << c.file << " " << c.endAt;
        EXPECT_FALSE(restart);
        const bool played =
            rig.log.lines.contains("mci play can ") || rig.log.lines.filter("mp3 play").size() > 0;
        EXPECT_EQ(played, c.endAt > (QString(c.file).endsWith(".mid") ? 1 : 13))
            << c.file << " " << c.endAt;
    }
}

TEST(MusicChange, AnMp3ThatCannotBePlayedTakesTheFailurePathWithoutWaitingFurther) {
    Show show;
    testfiles::write(show.box.file("musica.mp3"));
    Rig rig;
    rig.mp3.playSucceeds = false;
    bool restart = true;
    EXPECT_EQ(MusicChange(rig.devices, show.input(""), restart, rig.yielder, rig.clock),
              MusicOutcome::Mp3Failed);
    EXPECT_TRUE(rig.log.lines.last().startsWith("mp3 play "));
}

TEST(MusicChange, AMissingFolderIsSilent) {
    Show show;
    Rig rig;
    bool restart = true;
    EXPECT_EQ(MusicChange(rig.devices, show.input("Manca/"), restart, rig.yielder, rig.clock),
              MusicOutcome::Continue);
    EXPECT_EQ(rig.log.lines, QStringList({kStopOpen, kClose, "mp3 stop"}));
    EXPECT_EQ(rig.yielder.count, 0);
}
