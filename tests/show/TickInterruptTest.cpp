// Ending the show at a yield point, and ticks that come while one is still running.
#include "ShowFixture.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

namespace {

// What the window saw: every logged call but the sound devices, the yields and the messages.
QStringList windowCalls(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        if (!QRegularExpression("^(mci|mp3|wav|yield|message)").match(l).hasMatch())
            out << l;
    return out;
}

TEST(TickInterrupt, EndingTheShowAtAnyYieldStopsTheTickBeforeItTouchesTheWindow) {
    struct Case {
        const char* where;
        int yield;
        qint16 musica;
    };
    const Case cases[] = {
        {"fixed background", 1, 0},
        {"first slide-in step", 2, 0},
        {"middle of the slide-in", 20, 0},
        {"music restart", 1, 1}, // the MIDI restart's yield
        {"wait after the music started", 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        ShowFixture f;
        testfiles::write(f.folder.file("tema.mid"), "MThd");
        f.records.settings.MusicaFM = c.musica;
        f.setPictures({"./a.jpg", "./b.jpg"});
        qsizetype endedAt = -1;
        f.rec.onYield = [&](int count) {
            if (count == c.yield) {
                f.endShowLikeFine();
                endedAt = f.log.size();
            }
        };
        f.runTick();
        ASSERT_GE(endedAt, 0);
        EXPECT_TRUE(windowCalls(f.log.mid(endedAt)).isEmpty());
        EXPECT_EQ(f.records.show.PictureIndex, 0);
    }
}

TEST(TickInterrupt, EndingTheShowDuringTheNoPicturesMessageSkipsTheSetUp) {
    ShowFixture f;
    f.setPictures({});
    f.rec.whileMessage = [&] { f.endShowLikeFine(); };
    EXPECT_FALSE(f.runTick().contains("formLoad"));
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
    f.rec.onYield = [&](int) { anotherTick(); };
    f.rec.whileMessage = anotherTick;
    f.runTick();
    f.runTick(); // the broken picture's message
    EXPECT_GT(attempts, 10);
    EXPECT_TRUE(nested.isEmpty());
    EXPECT_EQ(f.records.show.PictureIndex, 2);
    EXPECT_FALSE(f.tick.isRunning());
}

} // namespace
