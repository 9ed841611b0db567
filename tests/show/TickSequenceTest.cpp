// The order of the show: pictures in list order, the end title, the loop back to picture 1, the
// failure paths, and when the music changes.
#include "ShowFixture.h"

#include <gtest/gtest.h>

namespace {

const QString MusicStopMarker = "mci open  type sequencer alias can";

TEST(TickSequence, ThreePicturesThenEndTitleThenFirstAgain) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "Estate/c.jpg"});
    const QString folder = f.records.settings.ShowFolder;

    struct Expect {
        QString loaded;
        qint32 index;
    };
    const Expect expected[] = {
        {"./a.jpg", 1}, {"./b.jpg", 2}, {"Estate/c.jpg", 3}, {"", 0}, {"./a.jpg", 1}};
    for (const Expect& e : expected) {
        const fakeshow::Lines lines = f.runTick();
        const QStringList loaded = loadedEntries(lines, folder);
        SCOPED_TRACE(e.loaded.toStdString());
        EXPECT_EQ(f.records.show.PictureIndex, e.index);
        EXPECT_EQ(f.records.show.CurrentPicture, e.loaded);
        if (e.loaded.isEmpty()) {
            // The end title: picture hidden, the title centred, the music stopped.
            EXPECT_TRUE(loaded.isEmpty());
            EXPECT_FALSE(f.view.pictureVisible);
            EXPECT_EQ(f.view.labelText, "Quirello Fine presentazione");
            EXPECT_DOUBLE_EQ(f.view.labelLeft, (15360 - f.view.labelWidth()) / 2);
            EXPECT_DOUBLE_EQ(f.view.labelTop, (11520 - 300) / 2.0);
            EXPECT_TRUE(f.records.tick.LastFolder.isEmpty());
            EXPECT_EQ(lines.filter(MusicStopMarker).size(), 1);
            EXPECT_EQ(lines.last(), "mp3 stop");
        } else {
            EXPECT_EQ(loaded, QStringList{e.loaded});
            EXPECT_TRUE(f.view.pictureVisible);
        }
    }
    EXPECT_TRUE(f.log.starting("message").isEmpty());
}

TEST(TickSequence, EmptyFolderGivesTheMessageAtEveryTickAndSetsUpAgain) {
    ShowFixture f;
    f.setPictures({});
    for (int i = 1; i <= 3; ++i) {
        const fakeshow::Lines lines = f.runTick();
        EXPECT_EQ(lines.starting("message"),
                  QStringList{"message Nessun file di immagini trovato in questa cartella."});
        EXPECT_EQ(lines.last(), "formLoad");
        EXPECT_TRUE(loadedEntries(lines, "").isEmpty());
        EXPECT_EQ(f.records.show.PictureIndex, i);
    }
}

TEST(TickSequence, UndecodablePictureGivesItsMessageAndTheShowGoesOn) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./rotto.jpg", "./z.jpg"}, {"./rotto.jpg"});
    f.runTick();
    const fakeshow::Lines broken = f.runTick();
    EXPECT_EQ(broken.starting("message"),
              QStringList{"message Il file: ./rotto.jpg non è un file di immagini valido."});
    EXPECT_FALSE(f.view.pictureVisible);
    // Nothing after the load but the message: no comment, no label, no slide.
    EXPECT_TRUE(broken.last().startsWith("message"));
    EXPECT_TRUE(broken.starting("label").isEmpty());

    const fakeshow::Lines next = f.runTick();
    EXPECT_EQ(loadedEntries(next, f.records.settings.ShowFolder), QStringList{"./z.jpg"});
    EXPECT_TRUE(f.view.pictureVisible);
    EXPECT_TRUE(next.starting("message").isEmpty());
}

TEST(TickSequence, MusicChangesAtTheFirstPictureOfEachFolderOnly) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "Estate/c.jpg", "Estate/d.jpg", "Mare/e.jpg"});
    QStringList changedAt;
    for (int i = 0; i < 5; ++i) {
        const fakeshow::Lines lines = f.runTick();
        if (!lines.filter(MusicStopMarker).isEmpty())
            changedAt << f.records.show.CurrentPicture;
    }
    EXPECT_EQ(changedAt, (QStringList{"./a.jpg", "Estate/c.jpg", "Mare/e.jpg"}));
    EXPECT_EQ(f.records.tick.PictureFolder, "Mare/");
    EXPECT_EQ(f.records.tick.LastFolder, "Mare/" + f.records.settings.ShowFolder);
}

TEST(TickSequence, AfterTheEndTitleTheFirstPictureRestartsTheMusic) {
    ShowFixture f;
    f.setPictures({"./a.jpg"});
    f.runTick();
    f.runTick(); // end title
    const fakeshow::Lines again = f.runTick();
    EXPECT_EQ(again.filter(MusicStopMarker).size(), 1);
}

TEST(TickSequence, NextShowStartsAtPictureOneAndRestartsTheMusicInTheSameFolder) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./b.jpg", "./c.jpg"});
    f.runTick();
    const fakeshow::Lines second = f.runTick();
    EXPECT_TRUE(second.filter(MusicStopMarker).isEmpty());

    f.endShowLikeFine();
    const fakeshow::Lines first = f.runTick();
    EXPECT_EQ(loadedEntries(first, f.records.settings.ShowFolder), QStringList{"./a.jpg"});
    EXPECT_EQ(first.filter(MusicStopMarker).size(), 1);
    EXPECT_FALSE(f.records.show.MusicRestart);
}

TEST(TickSequence, MusicOfTheFolderStartsThroughTheSequencer) {
    ShowFixture f;
    testfiles::write(f.folder.file("Estate/tema.mid"), "MThd");
    f.records.settings.MusicaFM = 1;
    f.setPictures({"Estate/c.jpg"});
    const fakeshow::Lines lines = f.runTick();
    EXPECT_TRUE(lines.contains("mci play can ")) << lines.join(" | ").toStdString();
    // The music starts before the picture is sized and shown.
    EXPECT_LT(lines.indexOf("mci play can "), lines.indexOf(lines.starting("size ").value(0)));
}

TEST(TickSequence, Mp3ThatCannotPlayTakesTheFailurePath) {
    ShowFixture f;
    testfiles::write(f.folder.file("Estate/tema.mp3"), "ID3");
    f.records.settings.MusicaFM = 1;
    f.mp3.playSucceeds = false;
    f.setPictures({"Estate/c.jpg"});
    const fakeshow::Lines lines = f.runTick();
    EXPECT_EQ(lines.starting("message"),
              QStringList{"message Il file: Estate/c.jpg non è un file di immagini valido."});
    EXPECT_FALSE(f.view.pictureVisible);
}

TEST(TickSequence, CommentStartsForPicturesThatLoadOnly) {
    ShowFixture f;
    testfiles::write(f.folder.file("a.wav"), "RIFF");
    testfiles::write(f.folder.file("rotto.wav"), "RIFF");
    f.records.settings.SuonoWAV = 1;
    f.setPictures({"./a.jpg", "./rotto.jpg"}, {"./rotto.jpg"});
    const fakeshow::Lines first = f.runTick();
    EXPECT_EQ(first.starting("wav").size(), 1);
    EXPECT_TRUE(first.starting("wav").first().endsWith("a.wav"));
    EXPECT_TRUE(f.runTick().starting("wav").isEmpty());
}

} // namespace
