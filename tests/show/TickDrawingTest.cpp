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
    EXPECT_EQ(lines.starting("left").size(), 1); // straight to its place
    EXPECT_DOUBLE_EQ(f.view.pictureLeft, (15360 - f.view.pictureSize.width) / 2);
    EXPECT_EQ(f.yielder.count, 1); // only the fixed background's yield
}

TEST(TickDrawing, EffectGetsACopyOfTheCodeSoRandomStaysRandom) {
    ShowFixture f;
    f.records.settings.TipoEffetto = 0;
    f.setPictures({"./a.jpg", "./b.jpg"});
    // Also on the end title and the empty catalogue: the effect comes before anything else.
    EXPECT_EQ(f.runTick().first(), "effect 0");
    EXPECT_EQ(f.runTick().first(), "effect 0");
    EXPECT_EQ(f.runTick().first(), "effect 0");
    f.setPictures({});
    EXPECT_EQ(f.runTick().first(), "effect 0");
    EXPECT_EQ(f.records.settings.TipoEffetto, 0);
}

TEST(TickDrawing, SlideInStepsFromOffScreenToTheCentreOneYieldEach) {
    struct Case {
        qint16 effetti;
        double pictureWidth; // twips, natural = shown (AllargaFoto 0, fits)
    };
    const Case cases[] = {{1, 9000}, {10, 9000}, {100, 9000}, {7, 1234}};
    for (const Case& c : cases) {
        ShowFixture f;
        f.records.settings.Effetti = c.effetti;
        f.records.settings.AllargaFoto = 0;
        f.setPictures({"./a.jpg"}, {}, {c.pictureWidth, 3000});
        const fakeshow::Lines lines = f.runTick();
        const double target = (15360 - c.pictureWidth) / 2;
        const double step = c.effetti * 40.0;
        const int steps = int((target + c.pictureWidth) / step) + 1;
        SCOPED_TRACE(c.effetti);
        const QStringList lefts = lines.starting("left ");
        ASSERT_EQ(lefts.size(), steps + 1);
        EXPECT_EQ(lefts.first(), "left " + fakeshow::num(-c.pictureWidth));
        EXPECT_EQ(lefts[steps - 1], "left " + fakeshow::num(-c.pictureWidth + (steps - 1) * step));
        EXPECT_EQ(lefts.last(), "left " + fakeshow::num(target));
        // One yield after each position, plus the fixed background's.
        EXPECT_EQ(f.yielder.count, steps + 1);
        EXPECT_EQ(lines.indexOf("show") + 1, lines.indexOf(lefts.first()));
    }
}

TEST(TickDrawing, NegativeSpeedShowsThePictureAtOnceInsteadOfSlidingForever) {
    ShowFixture f;
    f.records.settings.Effetti = -3;
    f.setPictures({"./a.jpg"});
    const fakeshow::Lines lines = f.runTick();
    EXPECT_EQ(lines.starting("left").size(), 1);
    EXPECT_EQ(f.yielder.count, 1);
}

// Window 1024 × 768 pixels = 15360 × 11520 twips, label 300 twips high.
TEST(TickDrawing, PictureAndLabelPlaces) {
    struct Case {
        const char* name;
        qint16 posLabel;
        qint16 allarga;
        TwipsSize natural;
        TwipsSize shown;
        double top;
        double labelTop;
    };
    const double h = 11520 - 300; // window height less the label's
    const Case cases[] = {
        // A 100 × 100 picture on a 4:3 screen: enlarged to the height, just under the label.
        {"top", 0, 1, {1500, 1500}, {h, h}, 300, 0},
        {"bottom", 1, 1, {1500, 1500}, {h, h}, 0, 11520 - 300 - 160},
        // No label: still the height less the label's, centred, the label below the screen.
        {"none", 2, 1, {1500, 1500}, {h, h}, 150, 11520},
        // Not enlarged: natural size, centred in the space under the label.
        {"small kept", 0, 0, {1500, 1500}, {1500, 1500}, (11520 - 300 - 1500) / 2.0 + 300, 0},
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
        // The picture is decoded at the size it is shown at.
        EXPECT_EQ(f.view.requestedDecodeSize, f.view.pictureSize);
    }
}

TEST(TickDrawing, UnknownLabelPlaceLeavesThePictureTopAlone) {
    ShowFixture f;
    f.records.settings.PosLabel = -1;
    f.view.pictureTop = 1234;
    f.setPictures({"./a.jpg"});
    const fakeshow::Lines lines = f.runTick();
    EXPECT_TRUE(lines.starting("top").isEmpty());
    EXPECT_DOUBLE_EQ(f.view.labelTop, 11520);
}

TEST(TickDrawing, BackgroundFixedAfterOneYieldOrRandomFromTheClock) {
    {
        ShowFixture f;
        f.setPictures({"./a.jpg"});
        f.records.settings.Effetti = 0;
        const fakeshow::Lines lines = f.runTick();
        EXPECT_EQ(lines.indexOf("yield") + 1, lines.indexOf("back #0a141e"));
    }
    {
        ShowFixture f;
        f.setPictures({"./a.jpg"});
        f.records.settings.Effetti = 0;
        f.records.settings.RGB_RANDOM = -1;
        f.random.numbers = {2.5 / 256, 3.5 / 256, 0.999};
        const fakeshow::Lines lines = f.runTick();
        EXPECT_TRUE(lines.contains("back #0204ff"));
        EXPECT_EQ(f.yielder.count, 0);
        EXPECT_EQ(f.random.seeds, QList<double>{43200.5});
    }
}

TEST(BackColor, ComponentsRoundHalfToEvenAndStopAt255) {
    struct Case {
        double r, g, b;
        quint32 rgb;
    };
    const Case cases[] = {
        {0, 0, 0, 0x000000},
        {0.5 / 256, 1.5 / 256, 2.5 / 256, 0x000202},
        {254.5 / 256, 255.4 / 256, 0.9999999, 0xfeffff},
        {0.25, 0.5, 0.75, 0x4080c0},
    };
    for (const Case& c : cases) {
        fakeshow::FakeRandom random;
        random.numbers = {c.r, c.g, c.b};
        fakeshow::Log log;
        fakeshow::FakeView view(log);
        fakeshow::FakeYielder yielder(log, view);
        fakeshow::FakeClock clock(yielder);
        EXPECT_EQ(RandomBackColor(random, clock), c.rgb);
    }
    EXPECT_EQ(FixedBackColor(300, -5, 128), 0xff0080u);
}

TEST(Entries, LabelTextAndFolderPart) {
    struct Case {
        QString entry, label, folder;
    };
    const Case cases[] = {
        {"./Mare.JPG", "mare.jpg", "./"},
        {"Estate/Mare.jpg", "estate/mare.jpg", "Estate/"},
        {"Estate/./x.jpg", "estate/./x.jpg", "Estate/"},
        {"senza.jpg", "senza.jpg", ""},
        {"../a.jpg", "../a.jpg", "../"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelTextFor(c.entry), c.label);
        EXPECT_EQ(FolderPartOf(c.entry), c.folder);
    }
}

TEST(Scaling, ShownSizeAgainstTheSpaceUnderTheLabel) {
    const TwipsSize window{1000, 800};
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
        {5, {100, 100}, {700, 700}},   // any non-zero enlarges
        {-1, {100, 100}, {700, 700}},
    };
    for (const Case& c : cases) {
        const TwipsSize got = ShownPictureSize(c.natural, window, 100, c.allarga);
        EXPECT_NEAR(got.width, c.shown.width, 1e-9);
        EXPECT_NEAR(got.height, c.shown.height, 1e-9);
    }
}

} // namespace
