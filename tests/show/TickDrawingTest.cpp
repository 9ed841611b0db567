// What one tick draws: the effect, the size and place of the picture, the label, the background
// and the slide-in.
#include "show/Background.h"
#include "ShowFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(TickDrawing, SpeedZeroDrawsNoEffectAndNoSlideIn) {
    ShowFixture f;
    f.records.settings.Effetti = 0;
    f.setPictures({"./a.jpg"});
    const fakeshow::Lines lines = f.runTick();
    EXPECT_TRUE(lines.starting("effect").isEmpty());
    EXPECT_EQ(lines.starting("left"), QStringList{"left -735.0"}); // straight to its place
    EXPECT_EQ(f.rec.yields, 1);                                    // only the fixed background's
}

TEST(TickDrawing, EveryTickDrawsTheEffectFromACopyOfTheCode) {
    ShowFixture f;
    f.records.settings.TipoEffetto = 0;
    f.setPictures({"./a.jpg"});
    EXPECT_EQ(f.runTick().first(), "effect 0");
    EXPECT_EQ(f.runTick().first(), "effect 0"); // end title
    f.setPictures({});
    EXPECT_EQ(f.runTick().first(), "effect 0");
    EXPECT_EQ(f.records.settings.TipoEffetto, 0);
}

TEST(TickDrawing, SlideInStepsFromOffScreenToTheCentreOneYieldEach) {
    struct Case {
        qint16 effetti;
        double width; // twips; shown at natural size
        int steps;
    };
    // Target (15360 - width) / 2; steps = (target + width) / step, rounded down, + 1.
    const Case cases[] = {{1, 9000, 305}, {1, 9360, 310}, // the last step lands on the target
                          {10, 9000, 31}, {100, 9000, 4}, {7, 1234, 30},
                          {-3, 9000, 0}}; // negative: shown at once, not slid for ever
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effetti);
        ShowFixture f;
        f.records.settings.Effetti = c.effetti;
        f.records.settings.AllargaFoto = 0;
        f.setPictures({"./a.jpg"}, {}, {c.width, 3000});
        const QStringList lefts = f.runTick().starting("left ");
        const double step = c.effetti * 40.0;
        ASSERT_EQ(lefts.size(), c.steps + 1);
        if (c.steps > 0) {
            EXPECT_EQ(lefts.first(), "left " + fakeshow::num(-c.width));
            EXPECT_EQ(lefts[c.steps - 1], "left " + fakeshow::num(-c.width + (c.steps - 1) * step));
        }
        EXPECT_EQ(lefts.last(), "left " + fakeshow::num((15360 - c.width) / 2));
        EXPECT_EQ(f.rec.yields, c.steps + 1);
    }
}

// Window 1024 × 768 pixels = 15360 × 11520 twips, label 300 twips high.
TEST(TickDrawing, PictureAndLabelPlaces) {
    struct Case {
        const char* name;
        qint16 posLabel, allarga;
        TwipsSize natural, shown;
        double top, labelTop;
    };
    const double h = 11520 - 300; // window height less the label's
    const Case cases[] = {
        // A 100 × 100 picture on a 4:3 screen: enlarged to the height, just under the label.
        {"top", 0, 1, {1500, 1500}, {h, h}, 300, 0},
        {"bottom", 1, 1, {1500, 1500}, {h, h}, 0, 11520 - 300 - 160},
        // No label: still the height less the label's, centred; the label below the screen.
        {"none", 2, 1, {1500, 1500}, {h, h}, 150, 11520},
        // Not enlarged: natural size, centred in the space under the label.
        {"small kept", 0, 0, {1500, 1500}, {1500, 1500}, (h - 1500) / 2 + 300, 0},
        // Large pictures are reduced also when enlarging is off.
        {"large", 0, 0, {90000, 60000}, {90000 * h / 60000, h}, 300, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowFixture f;
        f.records.settings.PosLabel = c.posLabel;
        f.records.settings.AllargaFoto = c.allarga;
        f.setPictures({"./Mare.JPG"}, {}, c.natural);
        f.runTick();
        EXPECT_NEAR(f.view.pictureSize.width, c.shown.width, 1e-6);
        EXPECT_NEAR(f.view.pictureSize.height, c.shown.height, 1e-6);
        EXPECT_NEAR(f.view.pictureTop, c.top, 1e-6);
        EXPECT_NEAR(f.view.pictureLeft, (15360 - c.shown.width) / 2, 1e-6);
        EXPECT_EQ(f.view.labelText, "mare.jpg");
        EXPECT_DOUBLE_EQ(f.view.labelTop, c.labelTop);
        EXPECT_DOUBLE_EQ(f.view.labelLeft, (15360 - 8 * 105) / 2.0);
        // Decoded at the size it is shown at.
        EXPECT_EQ(f.view.requestedDecodeSize, f.view.pictureSize);
    }
}

TEST(TickDrawing, BackgroundFixedAfterOneYieldOrRandomFromTheClock) {
    ShowFixture fixed;
    fixed.setPictures({"./a.jpg"});
    fixed.records.settings.Effetti = 0;
    const fakeshow::Lines lines = fixed.runTick();
    EXPECT_EQ(lines.indexOf("yield") + 1, lines.indexOf("back #0a141e"));

    ShowFixture random;
    random.setPictures({"./a.jpg"});
    random.records.settings.Effetti = 0;
    random.records.settings.RGB_RANDOM = -1;
    random.clock.numbers = {2.5 / 256, 3.5 / 256, 0.999};
    EXPECT_TRUE(random.runTick().contains("back #0204ff"));
    EXPECT_EQ(random.rec.yields, 0);
    EXPECT_EQ(random.clock.seeds, QList<double>{43200.5});
}

TEST(BackColor, ComponentsRoundHalfToEvenAndStopAt255) {
    const std::pair<std::deque<double>, quint32> cases[] = {
        {{0, 0, 0}, 0x000000},
        {{0.5 / 256, 1.5 / 256, 2.5 / 256}, 0x000202},
        {{254.5 / 256, 255.4 / 256, 0.9999999}, 0xfeffff},
        {{0.25, 0.5, 0.75}, 0x4080c0},
    };
    for (const auto& [numbers, rgb] : cases) {
        ShowFixture f;
        f.clock.numbers = numbers;
        EXPECT_EQ(RandomBackColor(f.clock, f.clock), rgb);
    }
    EXPECT_EQ(FixedBackColor(300, -5, 128), 0xff0080u);
}

TEST(Entries, LabelTextAndFolderPart) {
    const QString cases[][3] = {
        {"./Mare.JPG", "mare.jpg", "./"},
        {"Estate/Mare.jpg", "estate/mare.jpg", "Estate/"},
        {"Estate/./x.jpg", "estate/./x.jpg", "Estate/"},
        {"senza.jpg", "senza.jpg", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LabelTextFor(c[0]), c[1]);
        EXPECT_EQ(FolderPartOf(c[0]), c[2]);
    }
}

TEST(Scaling, ShownSizeAgainstTheSpaceUnderTheLabel) {
    struct Case {
        qint16 allarga;
        TwipsSize natural, shown;
    };
    const Case cases[] = {
        {0, {500, 400}, {500, 400}},   // fits: natural size
        {0, {1000, 700}, {1000, 700}}, // exactly fits
        {1, {500, 350}, {1000, 700}},  // enlarged to the height
        {0, {2000, 350}, {4000, 700}}, // too wide: scaled by the height, cut at the sides
        {0, {700, 1400}, {350, 700}},  // too high
        {-1, {100, 100}, {700, 700}},  // any non-zero enlarges
    };
    for (const Case& c : cases) {
        const TwipsSize got = ShownPictureSize(c.natural, {1000, 800}, 100, c.allarga);
        EXPECT_NEAR(got.width, c.shown.width, 1e-9);
        EXPECT_NEAR(got.height, c.shown.height, 1e-9);
    }
}

} // namespace
