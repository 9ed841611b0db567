// Ending the show at a yield point, and ticks that come while one is still running.
#include "ShowFixture.h"

#include <gtest/gtest.h>

namespace {

// What the window saw of a tick: every call but the sound devices, the yields and the messages.
QStringList viewCalls(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        if (!l.startsWith("mci") && !l.startsWith("mp3") && !l.startsWith("wav") &&
            !l.startsWith("yield") && !l.startsWith("message"))
            out << l;
    return out;
}

// Ends the show at yield number `at`; returns the lines logged after that yield.
QStringList endAtYield(ShowFixture& f, int at) {
    qsizetype endedAt = -1;
    f.yielder.onYield = [&](int count) {
        if (count == at) {
            f.view.open = false;
            f.endShowLikeFine();
            endedAt = f.log.lines.size();
        }
    };
    f.runTick();
    EXPECT_GE(endedAt, 0);
    return f.log.lines.mid(endedAt);
}

TEST(TickInterrupt, EndingTheShowAtAnyYieldStopsTheTickBeforeItTouchesTheWindow) {
    struct Case {
        const char* where;
        int yield;
        qint16 musica;
    };
    const Case cases[] = {
        {"first slide-in step", 2, 0},
        {"middle of the slide-in", 20, 0},
        {"fixed background", 1, 0},
        {"music restart", 1, 1}, // the MIDI restart's yield
        {"wait after the music started", 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        ShowFixture f;
        testfiles::write(f.folder.file("tema.mid"), "MThd");
        f.records.settings.MusicaFM = c.musica;
        f.setPictures({"./a.jpg", "./b.jpg"});
        const QStringList after = endAtYield(f, c.yield);
        EXPECT_TRUE(viewCalls(after).isEmpty()) << after.join(" | ").toStdString();
        EXPECT_EQ(f.records.show.PictureIndex, 0);
        // The next show starts at picture 1.
        f.view.open = true;
        f.yielder.onYield = nullptr;
        const fakeshow::Lines next = f.runTick();
        EXPECT_EQ(loadedEntries(next, f.records.settings.ShowFolder), QStringList{"./a.jpg"});
    }
}

TEST(TickInterrupt, EndingTheShowDuringTheNoPicturesMessageSkipsTheSetUp) {
    ShowFixture f;
    f.setPictures({});
    f.dialogs.whileShown = [&] { f.view.open = false; };
    const fakeshow::Lines lines = f.runTick();
    EXPECT_FALSE(lines.contains("formLoad"));
}

TEST(TickInterrupt, TicksDuringASlideInOrAMessageAreSkipped) {
    ShowFixture f;
    f.setPictures({"./a.jpg", "./rotto.jpg", "./z.jpg"}, {"./rotto.jpg"});
    QStringList nested;
    f.yielder.onYield = [&](int) {
        const qsizetype before = f.log.lines.size();
        const qint32 index = f.records.show.PictureIndex;
        f.tick.Timer1_Timer();
        nested << f.log.lines.mid(before);
        EXPECT_EQ(f.records.show.PictureIndex, index);
        EXPECT_TRUE(f.tick.isRunning());
    };
    f.dialogs.whileShown = [&] { f.yielder.onYield(0); };
    f.runTick();
    EXPECT_EQ(f.records.show.PictureIndex, 1);
    f.runTick(); // the broken picture's message
    EXPECT_EQ(f.records.show.PictureIndex, 2);
    EXPECT_FALSE(f.tick.isRunning());
    EXPECT_TRUE(nested.isEmpty()) << nested.join(" | ").toStdString();
    // The tick after runs normally.
    f.yielder.onYield = nullptr;
    f.dialogs.whileShown = nullptr;
    EXPECT_EQ(loadedEntries(f.runTick(), f.records.settings.ShowFolder), QStringList{"./z.jpg"});
}

} // namespace
