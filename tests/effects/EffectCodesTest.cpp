#include "effects/ClsDiag.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(RandomEffect, PicksOneToTenWritesItBackAndDrawsIt) {
    std::set<int> picked;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        RecordingCanvas canvas(12000, 9000);
        UniformRandom random(seed);
        FixedClock clock(seed * 0.37);
        qint16 code = 0;
        ClsDiag(code, canvas, random, clock);
        ASSERT_GE(code, 1);
        ASSERT_LE(code, 10);
        ASSERT_FALSE(canvas.calls.empty()) << "code " << code << " drew nothing";
        ASSERT_EQ(canvas.pen, (code == 7 || code == 10) ? 50 : 10);
        picked.insert(code);
    }
    EXPECT_EQ(picked.size(), 10u) << "some effect is never chosen";
}

TEST(RandomEffect, EndsOfTheGeneratorsRangeGiveOneAndTen) {
    const std::pair<double, int> cases[] = {{0.0, 1}, {0.0999, 1}, {0.1, 2}, {0.99999999, 10}};
    for (const auto& [r, expected] : cases) {
        RecordingCanvas canvas(12000, 9000);
        ScriptedRandom random({r});
        FixedClock clock;
        qint16 code = 0;
        ClsDiag(code, canvas, random, clock);
        EXPECT_EQ(code, expected) << "random " << r;
    }
}

TEST(NoEffect, CodesOutsideOneToTenDrawNothingAndLeaveTheirCode) {
    for (qint16 original :
         {qint16(11), qint16(12), qint16(13), qint16(-1), qint16(32767), qint16(-32768)}) {
        RecordingCanvas canvas(15360, 11520);
        canvas.pen = 50;
        ScriptedRandom random({0.5});
        FixedClock clock;
        qint16 code = original;
        ClsDiag(code, canvas, random, clock);
        EXPECT_TRUE(canvas.calls.empty()) << original;
        EXPECT_EQ(code, original);
        EXPECT_EQ(canvas.pen, 10) << original;
        EXPECT_EQ(random.reseeds, 1) << original;
        if (original == 11) {
            EXPECT_EQ(canvas.sizeReads, 0) << "code 11 must return before reading the size";
        }
    }
}

// Fifty pixels for the slanted lines and the ray, ten for the rest, and every shape in the
// colour read just before it (the canvas hands out a new colour at each read).
TEST(EveryCode, PenWidthAndColourOfEachShape) {
    for (qint16 code = 1; code <= 10; ++code) {
        RecordingCanvas canvas(12000, 9000);
        canvas.pen = 3;
        UniformRandom random(9);
        FixedClock clock;
        qint16 c = code;
        ClsDiag(c, canvas, random, clock);
        const int expected = (code == 7 || code == 10) ? 50 : 10;
        ASSERT_FALSE(canvas.calls.empty());
        for (size_t i = 0; i < canvas.calls.size(); ++i) {
            ASSERT_EQ(canvas.calls[i].penWidth, expected) << "code " << code;
            ASSERT_EQ(canvas.calls[i].color, 0x100001u + i) << "code " << code << " call " << i;
        }
        EXPECT_EQ(canvas.pen, expected) << "the pen stays as the effect left it";
    }
}

TEST(HalfSize, AHalfTwipRoundsToTheEvenNeighbour) {
    // Width, height -> hw, hh, read from the first outline of the closing square.
    const struct {
        double width, height, hw, hh;
    } cases[] = {{12001, 9000, 6000, 4500},
                 {12003, 9001, 6002, 4500},
                 {12002.4, 9003, 6001, 4502},
                 {1, 1, 0, 0}};
    for (const auto& t : cases) {
        RecordingCanvas canvas(t.width, t.height);
        UniformRandom random;
        FixedClock clock;
        qint16 code = 2;
        ClsDiag(code, canvas, random, clock);
        ASSERT_FALSE(canvas.calls.empty());
        const DrawCall& first = canvas.calls.front();
        EXPECT_EQ(first.x2, 2 * t.hw) << t.width;
        EXPECT_EQ(first.y1 + first.y2, 2 * t.hh) << t.height;
    }
}

} // namespace
