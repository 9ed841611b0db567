// The order of the show: pictures in list order, the end title, the loop back to picture 1, the
// picture decoded ahead, the failure paths, when the music changes; ending the show at each
// pause of the tick, and ticks that come while one is still running.
#include "ShowFixture.h"

#include <gtest/gtest.h>

const QString MusicStop = "mci open  type sequencer alias can";

TEST(TickSequence, ThreePicturesThenEndTitleThenFirstAgain) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "Estate/c.jpg"});
    f.records.settings.TipoEffetto = 0; // random: chosen anew at every tick, on a copy
    const QString shown[] = {"./a.jpg", "./b.jpg", "Estate/c.jpg", "", "./a.jpg"};
    // Each tick ends by handing the view the next picture to decode; the end title is none.
    const QString ahead[] = {"./b.jpg", "Estate/c.jpg", "", "./a.jpg", "./b.jpg"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QStringList lines = f.runTick();
        EXPECT_EQ(lines.first(), "effect 0");
        EXPECT_EQ(f.records.show.PictureIndex, (i + 1) % 4);
        EXPECT_EQ(f.records.show.CurrentPicture, shown[i]);
        EXPECT_EQ(f.entries(lines, "load "), shown[i]);
        EXPECT_EQ(f.pictureVisible(), !shown[i].isEmpty());
        EXPECT_EQ(f.entries(lines, "ahead "), ahead[i]);
        EXPECT_EQ(lines.last().startsWith("ahead "), !ahead[i].isEmpty());
        if (shown[i].isEmpty()) {
            // The end title alone, centred; the music stopped.
            EXPECT_EQ(f.labelText, "Quirello Fine presentazione");
            EXPECT_DOUBLE_EQ(f.labelLeft, (15360 - f.labelWidth()) / 2);
            EXPECT_DOUBLE_EQ(f.labelTop, (11520 - 300) / 2.0);
            EXPECT_TRUE(f.records.tick.LastFolder.isEmpty());
            EXPECT_EQ(lines.mid(lines.size() - 4, 3),
                      (QStringList{MusicStop, "mci close can", "mp3 stop"}));
        }
    }
    EXPECT_TRUE(starting(f.log, "message").isEmpty());
    EXPECT_EQ(f.aheadSize, f.pictureSize);
    EXPECT_EQ(f.records.settings.TipoEffetto, 0);
}

TEST(TickSequence, EmptyFolderGivesTheMessageAtEveryTickAndSetsUpAgain) {
    ShowFixture f;
    f.setPictures({});
    for (int i = 1; i <= 3; ++i) {
        const QStringList lines = f.runTick();
        EXPECT_EQ(starting(lines, "message"),
                  QStringList{"message Nessun file di immagini trovato in questa cartella."});
        EXPECT_EQ(lines.last(), "formLoad");
        EXPECT_EQ(f.records.show.PictureIndex, i);
    }
}

TEST(TickSequence, UndecodablePictureGivesItsMessageAndTheShowGoesOn) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./rotto.jpg", "./z.jpg"}, {"./rotto.jpg"});
    f.runTick();
    const QStringList broken = f.runTick();
    EXPECT_EQ(broken.last(), "message Il file: ./rotto.jpg non è un file di immagini valido.");
    EXPECT_EQ(starting(broken, "message").size(), 1);
    EXPECT_EQ(f.entries(broken, "ahead "), "./z.jpg"); // decoded while the message is up
    EXPECT_FALSE(f.pictureVisible());

    EXPECT_EQ(f.entries(f.runTick(), "load "), "./z.jpg");
    EXPECT_TRUE(f.pictureVisible());
}

TEST(TickSequence, MusicChangesAtEachFolderAfterTheEndTitleAndInTheNextShow) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "Estate/c.jpg", "Estate/d.jpg", "Mare/e.jpg"});
    QStringList changes;
    for (int tick = 0; tick < 7; ++tick) {
        const QStringList lines = f.runTick();
        if (!starting(lines, "load").isEmpty() && lines.contains(MusicStop))
            changes << f.records.show.CurrentPicture;
    }
    // The seventh tick shows picture 1 again, after the end title.
    EXPECT_EQ(changes, (QStringList{"./a.jpg", "Estate/c.jpg", "Mare/e.jpg", "./a.jpg"}));

    // The next show starts at picture 1 and restarts the music, though in the same folder.
    f.endShowLikeFine();
    const QStringList first = f.runTick();
    EXPECT_EQ(f.entries(first, "load "), "./a.jpg");
    EXPECT_TRUE(first.contains(MusicStop));
    EXPECT_FALSE(f.records.show.MusicRestart);
}

TEST(TickSequence, FolderMusicAndCommentsThroughTheDevices) {
    ShowFixture f;
    testfiles::write(f.folder.file("Estate/tema.mid"), "MThd");
    testfiles::write(f.folder.file("Estate/c.wav"), "RIFF");
    testfiles::write(f.folder.file("Mare/tema.mp3"), "ID3");
    testfiles::write(f.folder.file("Mare/rotto.wav"), "RIFF");
    testfiles::write(f.folder.file("Zeta/tema.mid"), "MThd");
    f.records.settings.MusicaFM = 1;
    f.records.settings.SuonoWAV = 1;
    f.setPictures({"Estate/c.jpg", "Mare/rotto.jpg", "Mare/y.jpg", "Mare/z.jpg", "Zeta/w.jpg"},
                  {"Mare/rotto.jpg"});

    const QStringList midi = f.runTick();
    EXPECT_EQ(starting(midi, "wav"), QStringList{"wav " + f.folder.file("Estate/c.wav")});
    // The music starts before the picture is sized and shown.
    EXPECT_LT(midi.indexOf("mci play can "), midi.indexOf(starting(midi, "size").value(0)));

    // No comment for a picture that does not load.
    EXPECT_TRUE(starting(f.runTick(), "wav").isEmpty());

    // An MP3 the player cannot play leaves its folder silent: the pictures are shown, no
    // message, the music is not tried again within the folder, the next folder's starts.
    f.sound.mp3Plays = false;
    for (const char* shown : {"Mare/y.jpg", "Mare/z.jpg"}) {
        const QStringList lines = f.runTick();
        EXPECT_EQ(f.records.show.CurrentPicture, shown);
        EXPECT_TRUE(starting(lines, "message").isEmpty()) << shown;
        EXPECT_TRUE(f.pictureVisible()) << shown;
    }
    EXPECT_EQ(starting(f.log, "mp3 play").size(), 1);
    EXPECT_TRUE(f.runTick().contains("mci play can "));
    EXPECT_EQ(f.records.show.CurrentPicture, "Zeta/w.jpg");
}

// A picture still being decoded when its tick comes: the tick looks again at each pause until
// it is at hand, then goes on exactly as with a picture decoded ahead.
TEST(TickSequence, APictureStillDecodingPausesTheTickUntilItIsAtHand) {
    ShowFixture ready;
    ready.setPictures({"./a.jpg", "./b.jpg"});
    const QStringList readyLines = ready.runTick();
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg"});
    f.decoding[f.records.settings.ShowFolder + "./a.jpg"] = 3;
    int ticksMeanwhile = 0;
    f.steps.onYield = [&](int count) {
        if (count <= 3) { // a tick while the picture decodes is skipped
            const qsizetype before = f.log.size();
            f.tick.Timer1_Timer();
            ticksMeanwhile += f.log.size() > before ? 1 : 0;
        }
    };
    const QStringList lines = f.runTick();
    EXPECT_EQ(ticksMeanwhile, 0);
    EXPECT_EQ(lines.mid(0, 5), readyLines.mid(0, 2) + QStringList(3, "wait 100"));
    EXPECT_EQ(QStringList(lines.mid(5)).replaceInStrings(f.folder.path(), "F"),
              QStringList(readyLines.mid(2)).replaceInStrings(ready.folder.path(), "F"));
    EXPECT_EQ(f.records.show.PictureIndex, 1);
}

const struct Interruption {
    const char* name;  // where the show ends
    int pause;         // the tick's pause, counted from 1
    const char* music; // the folder's music file, if any
    int decodingLooks; // the picture is at hand after so many looks
} interruptions[] = {
    {"fixed background", 1, nullptr, 0},
    {"middle of the slide-in", 20, nullptr, 0},
    {"MIDI restart", 1, "tema.mid", 0},
    {"wait after the MIDI started", 2, "tema.mid", 0},
    {"wait before the MP3 plays", 1, "musica.mp3", 0},
    {"wait after the MP3 started", 2, "musica.mp3", 0},
    {"picture still decoding", 2, nullptr, 5},
};
TABLE_TEST(TickInterruptAt, EndingTheShowAtAnyPauseRunsNothingOfTheTickAfterIt, interruptions) {
    const auto& c = GetParam();
    ShowFixture f;
    if (c.music)
        testfiles::write(f.folder.file(c.music), "x");
    f.records.settings.MusicaFM = c.music ? 1 : 0;
    f.setPictures({"./a.jpg", "./b.jpg"});
    f.decoding[f.records.settings.ShowFolder + "./a.jpg"] = c.decodingLooks;
    const int endAt = c.pause;
    f.steps.onYield = [&](int count) {
        if (count == endAt)
            f.endShowLikeFine();
    };
    f.runTick();
    ASSERT_GE(f.endedAt, 0);
    // The pause itself is the last thing the tick did.
    EXPECT_EQ(f.log.mid(f.endedAt), QStringList());
    EXPECT_EQ(f.records.show.PictureIndex, 0);
    EXPECT_FALSE(f.tick.isRunning());
}

// The tick waits at a message without holding up the event loop: ticks meanwhile are skipped,
// and the answer after the show ended runs nothing more of it.
TEST(TickInterrupt, EndingTheShowWhileAMessageIsOpenRunsNothingAfterIt) {
    for (const bool empty : {true, false}) {
        ShowFixture f;
        f.setPictures(empty ? QStringList() : QStringList{"./rotto.jpg"}, {"./rotto.jpg"});
        f.dialogs.holdAnswers = true;
        f.runTick();
        ASSERT_EQ(f.dialogs.held.size(), 1u) << empty;
        EXPECT_TRUE(f.tick.isRunning()) << empty;
        EXPECT_EQ(f.runTick(), QStringList()) << empty;
        f.endShowLikeFine();
        f.dialogs.answer();
        EXPECT_EQ(f.log.mid(f.endedAt), QStringList()) << empty;
        EXPECT_FALSE(f.tick.isRunning()) << empty;
    }
}

TEST(TickInterrupt, TicksDuringASlideInOrAMessageAreSkipped) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./rotto.jpg", "./z.jpg"}, {"./rotto.jpg"});
    QStringList nested;
    int attempts = 0;
    const auto anotherTick = [&] {
        const qsizetype before = f.log.size();
        f.tick.Timer1_Timer();
        nested << f.log.mid(before);
        ++attempts;
    };
    f.steps.onYield = [&](int) { anotherTick(); };
    f.dialogs.whileMessage = anotherTick;
    f.runTick();
    f.runTick(); // the broken picture's message
    EXPECT_GT(attempts, 10);
    EXPECT_TRUE(nested.isEmpty());
    EXPECT_EQ(f.records.show.PictureIndex, 2);
    EXPECT_FALSE(f.tick.isRunning());
}
