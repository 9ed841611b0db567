#include "sound/Music.h"
#include "support/Fakes.h"
#include "support/FakeSound.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

namespace {

const QStringList kStop = {"mci open  type sequencer alias can", "mci close can", "mp3 stop"};

// A show folder with `files` in it, and a music change run in its folder `F/`; each yield moves
// the clock on by `yielder.stepMs`.
struct Change {
    testfiles::Sandbox box;
    QStringList log;
    fakes::RecordingSound sound{log};
    fakes::FixedClock clock;
    fakes::ScriptedYielder yielder{log, clock, 250};
    bool restart = true;
    QString folder() const { return box.path() + "/F/"; }
    explicit Change(const QStringList& files) {
        for (const QString& name : files)
            testfiles::write(box.file("F/" + name));
    }
    MusicOutcome run(qint16 musicaFM = 1, bool running = true) {
        return MusicChange(sound.devices, {box.path() + '/', "F/", musicaFM, running}, restart,
                           yielder, clock);
    }
    QString midiOpen(const QString& name) const {
        return "mci open \"" + folder() + name + "\" type sequencer alias can";
    }
};

} // namespace

TEST(MusicChange, MidiStartSendsTheRestartSequenceWithOneYieldThenWaitsMoreThanASecond) {
    Change c({"tema.mid"});
    StopMusic(c.sound.devices);
    EXPECT_EQ(c.log, kStop);
    c.log.clear();
    c.yielder.stepMs = 500;
    EXPECT_EQ(c.run(), MusicOutcome::Continue);
    const QString open = c.midiOpen("tema.mid");
    // After "play can ": yields until more than 1 s has passed (500, 1000, 1500 ms).
    EXPECT_EQ(c.log, kStop + QStringList({open, "mci close can", "yield", open, "mci play can ",
                                          "yield", "yield", "yield"}));
    EXPECT_FALSE(c.restart);
}

// An MP3 that cannot be played leaves the folder silent, with the same waits and no failure.
TEST(MusicChange, Mp3StartStopsAgainWaitsMoreThanThreeSecondsThenPlaysWithoutQuotes) {
    for (const bool plays : {true, false}) {
        Change c({"musica.mp3"});
        c.yielder.stepMs = 1000;
        c.sound.mp3Plays = plays;
        EXPECT_EQ(c.run(), MusicOutcome::Continue) << plays;
        // Exactly 3 s is not enough: the play comes after the fourth second.
        EXPECT_EQ(c.log,
                  kStop + QStringList({"mp3 stop", "yield", "yield", "yield", "yield",
                                       "mp3 play " + c.folder() + "musica.mp3", "yield", "yield"}))
            << plays;
        EXPECT_FALSE(c.restart);
    }
}

// The first file of the preferred kind in name order, without regard to case; with the music
// off or the show not running only the stop sequence, and no wait. A row: the folder's files,
// MusicaFM, whether the show runs, what is played ("" for nothing).
const std::tuple<QStringList, qint16, bool, QString> musicChoices[] = {
    {{"a.mid", "b.mp3", "A.MP3"}, 1, true, "A.MP3"},
    {{"TEMA.MID", "a.rmi"}, 1, true, "TEMA.MID"},
    {{"zeta.mid", "Alfa.mid"}, 1, true, "Alfa.mid"},
    {{"Z.RMI", "note.txt"}, 1, true, "Z.RMI"},
    {{".nascosta.mp3", "a.mid"}, 1, true, "a.mid"},
    {{"mare.wav", "mp3", "a.mp3x"}, 1, true, ""},
    {{}, 1, true, ""}, // no folder at all
    {{"musica.mp3"}, -1, true, "musica.mp3"},
    {{"musica.mp3", "tema.mid"}, 0, true, ""},
    {{"musica.mp3", "tema.mid"}, 0, false, ""},
    {{"musica.mp3", "tema.mid"}, 1, false, ""},
};
TABLE_TEST(MusicChoice, WhatStartsAndWhen, musicChoices) {
    const auto& [files, musicaFM, running, played] = GetParam();
    Change c(files);
    EXPECT_EQ(c.run(musicaFM, running), MusicOutcome::Continue);
    EXPECT_FALSE(c.restart);
    const QStringList starts = c.log.filter(QRegularExpression("^mp3 play |^mci open \""));
    if (played.isEmpty())
        EXPECT_EQ(c.log, kStop);
    else if (played.endsWith("mp3", Qt::CaseInsensitive))
        EXPECT_EQ(starts.value(0), "mp3 play " + c.folder() + played);
    else
        EXPECT_EQ(starts.value(0), c.midiOpen(played));
}

// The show ends at yield number `endAt`: nothing may be sent after that yield, and the music
// starts only when the show ended after its start.
// The file, the yield, whether the music started.
const std::tuple<const char*, int, bool> endings[] = {
    {"tema.mid", 1, false},    // the yield between close and the second open
    {"tema.mid", 2, true},     // the wait after "play can "
    {"musica.mp3", 13, false}, // the wait before the play
    {"musica.mp3", 14, true},  // the wait after the play
};
TABLE_TEST(MusicChangeEnding, AShowEndedAtAnyYieldStopsTheChangeAtOnce, endings) {
    const auto& [file, ending, started] = GetParam();
    const int endAt = ending; // clang cannot capture a structured binding
    Change c({file});
    c.yielder.onYield = [&](int count) { c.yielder.open = count != endAt; };
    EXPECT_EQ(c.run(), MusicOutcome::ShowEnded);
    EXPECT_EQ(c.yielder.yields, endAt);
    EXPECT_EQ(c.log.last(), "yield");
    EXPECT_EQ(c.log.contains("mci play can ") || !c.log.filter("mp3 play").isEmpty(), started);
}
