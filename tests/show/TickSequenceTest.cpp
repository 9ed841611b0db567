// The order of the show: pictures in list order, the end title, the loop back to picture 1, the
// failure paths, and when the music changes.
#include "ShowFixture.h"

#include <gtest/gtest.h>

namespace {

const QString MusicStop = "mci open  type sequencer alias can";

TEST(TickSequence, ThreePicturesThenEndTitleThenFirstAgain) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "Estate/c.jpg"});
    const QString expected[] = {"./a.jpg", "./b.jpg", "Estate/c.jpg", "", "./a.jpg"};
    const qint32 index[] = {1, 2, 3, 0, 1};
    for (int i = 0; i < 5; ++i) {
        const fakeshow::Lines lines = f.runTick();
        SCOPED_TRACE(i);
        EXPECT_EQ(f.records.show.PictureIndex, index[i]);
        EXPECT_EQ(f.records.show.CurrentPicture, expected[i]);
        EXPECT_EQ(f.view.pictureVisible, !expected[i].isEmpty());
        if (expected[i].isEmpty()) {
            // The end title alone, centred; the music stopped.
            EXPECT_TRUE(f.loaded(lines).isEmpty());
            EXPECT_EQ(f.view.labelText, "Quirello Fine presentazione");
            EXPECT_DOUBLE_EQ(f.view.labelLeft, (15360 - f.view.labelWidth()) / 2);
            EXPECT_DOUBLE_EQ(f.view.labelTop, (11520 - 300) / 2.0);
            EXPECT_TRUE(f.records.tick.LastFolder.isEmpty());
            EXPECT_EQ(lines.mid(lines.size() - 4, 3),
                      (QStringList{MusicStop, "mci close can", "mp3 stop"}));
        } else {
            EXPECT_EQ(f.loaded(lines), QStringList{expected[i]});
        }
    }
    EXPECT_TRUE(f.log.starting("message").isEmpty());
}

TEST(TickSequence, TheNextPictureIsPreparedAtTheEndOfEachTick) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./rotto.jpg", "Estate/c.jpg"}, {"./rotto.jpg"});
    const QString folder = f.records.settings.ShowFolder;
    const QStringList expected[] = {
        {"ahead " + folder + "./rotto.jpg"}, {}, {}, {"ahead " + folder + "./a.jpg"}};
    for (const QStringList& ahead : expected) {
        const fakeshow::Lines lines = f.runTick();
        EXPECT_EQ(lines.starting("ahead"), ahead);
        if (!ahead.isEmpty())
            EXPECT_EQ(lines.last(), ahead.first());
    }
    EXPECT_EQ(f.view.aheadSize, f.view.pictureSize);
}

TEST(TickSequence, EmptyFolderGivesTheMessageAtEveryTickAndSetsUpAgain) {
    ShowFixture f;
    f.setPictures({});
    for (int i = 1; i <= 3; ++i) {
        const fakeshow::Lines lines = f.runTick();
        EXPECT_EQ(lines.starting("message"),
                  QStringList{"message Nessun file di immagini trovato in questa cartella."});
        EXPECT_EQ(lines.last(), "formLoad");
        EXPECT_EQ(f.records.show.PictureIndex, i);
    }
}

TEST(TickSequence, UndecodablePictureGivesItsMessageAndTheShowGoesOn) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./rotto.jpg", "./z.jpg"}, {"./rotto.jpg"});
    f.runTick();
    const fakeshow::Lines broken = f.runTick();
    EXPECT_EQ(broken.last(), "message Il file: ./rotto.jpg non è un file di immagini valido.");
    EXPECT_EQ(broken.starting("message").size(), 1);
    EXPECT_FALSE(f.view.pictureVisible);

    EXPECT_EQ(f.loaded(f.runTick()), QStringList{"./z.jpg"});
    EXPECT_TRUE(f.view.pictureVisible);
}

TEST(TickSequence, MusicChangesAtTheFirstPictureOfEachFolderAndAfterTheEndTitle) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "Estate/c.jpg", "Estate/d.jpg", "Mare/e.jpg"});
    QStringList changes;
    for (int tick = 0; tick < 7; ++tick) {
        const fakeshow::Lines lines = f.runTick();
        if (!f.loaded(lines).isEmpty() && lines.contains(MusicStop))
            changes << f.records.show.CurrentPicture;
    }
    // The seventh tick shows picture 1 again, after the end title.
    EXPECT_EQ(changes, (QStringList{"./a.jpg", "Estate/c.jpg", "Mare/e.jpg", "./a.jpg"}));
}

TEST(TickSequence, NextShowStartsAtPictureOneAndRestartsTheMusicInTheSameFolder) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "./c.jpg"});
    f.runTick();
    EXPECT_FALSE(f.runTick().contains(MusicStop));

    f.endShowLikeFine();
    f.view.open = true;
    const fakeshow::Lines first = f.runTick();
    EXPECT_EQ(f.loaded(first), QStringList{"./a.jpg"});
    EXPECT_TRUE(first.contains(MusicStop));
    EXPECT_FALSE(f.records.show.MusicRestart);

    // So does the end title.
    f.setPictures({"./a.jpg"});
    f.runTick();
    EXPECT_TRUE(f.runTick().contains(MusicStop));
}

TEST(TickSequence, FolderMusicAndCommentsThroughTheDevices) {
    ShowFixture f;
    testfiles::write(f.folder.file("Estate/tema.mid"), "MThd");
    testfiles::write(f.folder.file("Estate/c.wav"), "RIFF");
    testfiles::write(f.folder.file("Mare/tema.mp3"), "ID3");
    testfiles::write(f.folder.file("Mare/rotto.wav"), "RIFF");
    f.records.settings.MusicaFM = 1;
    f.records.settings.SuonoWAV = 1;
    f.setPictures({"Estate/c.jpg", "Mare/rotto.jpg", "Mare/z.jpg"}, {"Mare/rotto.jpg"});

    const fakeshow::Lines midi = f.runTick();
    EXPECT_EQ(midi.starting("wav"), QStringList{"wav " + f.folder.file("Estate/c.wav")});
    // The music starts before the picture is sized and shown.
    EXPECT_LT(midi.indexOf("mci play can "), midi.indexOf(midi.starting("size").value(0)));

    // No comment for a picture that does not load.
    EXPECT_TRUE(f.runTick().starting("wav").isEmpty());

    // An MP3 the player cannot play takes the failure path.
    f.rec.mp3Plays = false;
    const fakeshow::Lines mp3 = f.runTick();
    EXPECT_EQ(mp3.last(), "message Il file: Mare/z.jpg non è un file di immagini valido.");
    EXPECT_FALSE(f.view.pictureVisible);
}

} // namespace
