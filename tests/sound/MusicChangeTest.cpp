#include "sound/Music.h"
#include "support/Fakes.h"
#include "support/FakeSound.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

namespace {

const QStringList kStop = {"mci open  type sequencer alias can", "mci close can", "mp3 stop"};

// A show folder with `files` in it, and a music change run in its folder `F/`, its steps run in
// order as the show runs them.
struct Change {
    testfiles::Sandbox box;
    QStringList log;
    fakes::RecordingSound sound{log};
    bool restart = true;
    QString folder() const { return box.path() + "/F/"; }
    explicit Change(const QStringList& files) {
        for (const QString& name : files)
            testfiles::write(box.file("F/" + name));
    }
    void run(qint16 musicaFM = 1, bool running = true) {
        fakes::runMusicSteps(
            MusicChange(sound.devices, {box.path() + '/', "F/", musicaFM, running}, restart), log);
    }
    QString midiOpen(const QString& name) const {
        return "mci open \"" + folder() + name + "\" type sequencer alias can";
    }
};

} // namespace

TEST(MusicChange, MidiStartSendsTheRestartSequenceWithOneYieldThenWaitsASecond) {
    Change c({"tema.mid"});
    StopMusic(c.sound.devices);
    EXPECT_EQ(c.log, kStop);
    c.log.clear();
    c.run();
    const QString open = c.midiOpen("tema.mid");
    EXPECT_EQ(c.log, kStop + QStringList({open, "mci close can", "yield", open, "mci play can ",
                                          "wait 1000"}));
    EXPECT_FALSE(c.restart);
}

// An MP3 that cannot be played leaves the folder silent, with the same waits and no failure.
TEST(MusicChange, Mp3StartStopsAgainWaitsThreeSecondsThenPlaysWithoutQuotes) {
    for (const bool plays : {true, false}) {
        Change c({"musica.mp3"});
        c.sound.mp3Plays = plays;
        c.run();
        EXPECT_EQ(c.log,
                  kStop + QStringList({"mp3 stop", "wait 3000",
                                       "mp3 play " + c.folder() + "musica.mp3", "wait 1000"}))
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
    c.run(musicaFM, running);
    EXPECT_FALSE(c.restart);
    const QStringList starts = c.log.filter(QRegularExpression("^mp3 play |^mci open \""));
    if (played.isEmpty())
        EXPECT_EQ(c.log, kStop);
    else if (played.endsWith("mp3", Qt::CaseInsensitive))
        EXPECT_EQ(starts.value(0), "mp3 play " + c.folder() + played);
    else
        EXPECT_EQ(starts.value(0), c.midiOpen(played));
}
