// What one tick draws: the effect, the size and place of the picture, the label, the background
// and the slide-in.
#include "ShowFixture.h"

#include <gtest/gtest.h>

TEST(TickDrawing, SpeedZeroDrawsNoEffectNoSlideInAndTheFixedBackgroundAfterOneYield) {
    ShowFixture f;
    f.records.settings.Effetti = 0;
    f.records.settings.RGB_R = 300; // each component kept within 0..255
    f.records.settings.RGB_G = -5;
    f.records.settings.RGB_B = 128;
    f.setPictures({"./a.jpg"});
    const QStringList lines = f.runTick();
    EXPECT_TRUE(starting(lines, "effect").isEmpty());
    EXPECT_EQ(starting(lines, "left"), QStringList{"left -735.0"}); // straight to its place
    EXPECT_EQ(f.steps.yields, 1);
    EXPECT_EQ(lines.indexOf("yield") + 1, lines.indexOf("back #ff0080"));
}

TEST(TickDrawing, RandomBackgroundFromTheClockWithoutAYield) {
    ShowFixture f;
    f.setPictures({"./a.jpg"});
    f.records.settings.Effetti = 0;
    f.records.settings.RGB_RANDOM = -1;
    // Each × 256, a half rounded to the even neighbour, at most 255.
    f.random.numbers = {2.5 / 256, 3.5 / 256, 0.999};
    EXPECT_TRUE(f.runTick().contains("back #0204ff"));
    EXPECT_EQ(f.steps.yields, 0);
    EXPECT_EQ(f.random.seeds, QList<double>{43200.5});
}

const struct Slide {
    qint16 effetti;
    double width; // twips; shown at natural size
    int steps;
    double first = -width;
    double height = 3000; // 11220 is the window's height less the label's: never scaled
} slides[] = {
    // Target (15360 - width) / 2; steps = (target + width) / step, rounded down, + 1.
    {1, 9000, 305},
    {1, 9360, 310}, // the last step lands on the target
    {10, 9000, 31},
    {7, 1234, 30},
    {-3, 9000, 0}, // negative: shown at once, not slid for ever
    // Three screens wide still starts off screen; ten screens wide (a strip enlarged to the
    // screen's height) slides two screen widths only, starting over the screen.
    {100, 46080, 8, -46080, 11220},
    {100, 153600, 8, -99840, 11220},
};
TABLE_TEST(SlideIn, StepsFromOffScreenToTheCentreOneYieldEach, slides) {
    const auto& c = GetParam();
    SCOPED_TRACE(c.effetti);
    ShowFixture f;
    f.records.settings.Effetti = c.effetti;
    f.setPictures({"./a.jpg"}, {}, {c.width, c.height}); // not enlarged
    const QStringList lefts = starting(f.runTick(), "left ");
    ASSERT_EQ(lefts.size(), c.steps + 1);
    if (c.steps > 0) {
        EXPECT_EQ(lefts.first(), "left " + num(c.first));
        EXPECT_EQ(lefts[c.steps - 1], "left " + num(c.first + (c.steps - 1) * c.effetti * 40));
    }
    EXPECT_EQ(lefts.last(), "left " + num((15360 - c.width) / 2));
    EXPECT_EQ(f.steps.yields, c.steps + 1);
}

// Window 1024 × 768 pixels = 15360 × 11520 twips, label 300 twips high.
const double underLabel = 11520 - 300; // window height less the label's
const struct Place {
    const char* name;
    qint16 posLabel, allarga;
    TwipsSize natural, shown;
    double top, labelTop;
} places[] = {
    // A 100 × 100 picture on a 4:3 screen: enlarged to the height, just under the label.
    {"top", 0, 1, {1500, 1500}, {underLabel, underLabel}, 300, 0},
    {"bottom", 1, 1, {1500, 1500}, {underLabel, underLabel}, 0, 11520 - 300 - 160},
    // No label: still the height less the label's, centred; the label below the screen.
    {"none", 2, 1, {1500, 1500}, {underLabel, underLabel}, 150, 11520},
    // A position typed into the list (-1) or any other: placed as for none.
    {"typed", -1, 1, {1500, 1500}, {underLabel, underLabel}, 150, 11520},
    {"other", 7, 1, {1500, 1500}, {underLabel, underLabel}, 150, 11520},
    // Not enlarged: natural size, centred in the space under the label.
    {"small kept", 0, 0, {1500, 1500}, {1500, 1500}, (underLabel - 1500) / 2 + 300, 0},
    {"any non-zero enlarges", 0, -1, {1500, 1500}, {underLabel, underLabel}, 300, 0},
    // Large pictures are reduced also when enlarging is off, and cut at the sides.
    {"large", 0, 0, {90000, 60000}, {90000 * underLabel / 60000, underLabel}, 300, 0},
};
TABLE_TEST(PictureAndLabel, Places, places) {
    const auto& c = GetParam();
    ShowFixture f;
    f.records.settings.PosLabel = c.posLabel;
    f.records.settings.AllargaFoto = c.allarga;
    f.setPictures({"Estate/Mare.JPG"}, {}, c.natural);
    f.runTick();
    EXPECT_NEAR(f.pictureSize.width, c.shown.width, 1e-6);
    EXPECT_NEAR(f.pictureSize.height, c.shown.height, 1e-6);
    EXPECT_NEAR(f.pictureTop, c.top, 1e-6);
    EXPECT_NEAR(f.pictureLeft, (15360 - c.shown.width) / 2, 1e-6);
    EXPECT_EQ(f.labelText, "estate/mare.jpg");
    EXPECT_DOUBLE_EQ(f.labelTop, c.labelTop);
    EXPECT_DOUBLE_EQ(f.labelLeft, (15360 - 15 * 105) / 2.0);
    EXPECT_EQ(f.decodeSize, f.pictureSize); // decoded at the size it is shown at
}
