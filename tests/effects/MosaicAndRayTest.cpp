#include "effects/ClsDiag.h"
#include "RecordingCanvas.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <set>

namespace {

struct Screen {
    double width, height;
    double tileWidth, tileHeight;
};

class Mosaic : public ::testing::TestWithParam<Screen> {};

TEST_P(Mosaic, DrawsEachCellOnceAtAPitchOneTwipBelowTheTileSize) {
    const Screen s = GetParam();
    for (std::uint64_t seed : {1ull, 2ull, 77ull}) {
        RecordingCanvas canvas(s.width, s.height);
        ScriptedRandom random({}, seed);
        FixedClock clock; // an unchanged clock must not stall the picks
        qint16 code = 1;
        ClsDiag(code, canvas, random, clock);

        ASSERT_EQ(canvas.calls.size(), 600u);
        std::set<std::pair<int, int>> cells;
        for (const DrawCall& c : canvas.calls) {
            ASSERT_EQ(c.kind, DrawCall::FilledBox);
            ASSERT_EQ(c.penWidth, 10);
            ASSERT_FLOAT_EQ(c.x2 - c.x1, s.tileWidth);
            ASSERT_FLOAT_EQ(c.y2 - c.y1, s.tileHeight);
            const double col = c.x1 / (s.tileWidth - 1);
            const double row = c.y1 / (s.tileHeight - 1);
            ASSERT_EQ(col, std::floor(col));
            ASSERT_EQ(row, std::floor(row));
            ASSERT_TRUE(col >= 0 && col < 30 && row >= 0 && row < 20);
            ASSERT_TRUE(cells.insert({int(col), int(row)}).second)
                << "cell " << col << "," << row << " drawn twice";
        }
        // Re-seeded once at the start and once before every pick of a column and a row.
        EXPECT_EQ(random.reseeds, 1 + random.nexts / 2);
        EXPECT_GE(random.nexts, 1200);
        double right = 0, bottom = 0;
        for (const DrawCall& c : canvas.calls) {
            right = std::max(right, c.x2);
            bottom = std::max(bottom, c.y2);
        }
        EXPECT_FLOAT_EQ(right, s.width - 29);
        EXPECT_FLOAT_EQ(bottom, s.height - 19);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, Mosaic,
                         ::testing::Values(Screen{15360, 11520, 512, 576},
                                           Screen{12000, 9000, 400, 450}));

TEST(Mosaic, RetriedPickOfADrawnCellDrawsNothing) {
    // Column and row picks: (0,0), (0,0) again, then (1,0), and then the rest from a real source.
    class Scripted : public RandomSource {
    public:
        void reseed(double s) override { real.reseed(s); }
        double next() override {
            static const double first[] = {0.0, 0.0, 0.0, 0.0, 1.5 / 30, 0.0};
            return n < 6 ? first[n++] : real.next();
        }
        int n = 0;
        UniformRandom real;
    } random;
    RecordingCanvas canvas(15360, 11520);
    FixedClock clock;
    qint16 code = 1;
    ClsDiag(code, canvas, random, clock);
    ASSERT_EQ(canvas.calls.size(), 600u);
    EXPECT_EQ(canvas.calls[0].x1, 0);
    EXPECT_EQ(canvas.calls[1].x1, 511);
    EXPECT_EQ(canvas.calls[1].y1, 0);
}

// The angle of a ray in whole degrees, 0..359, as drawn on screen (y grows downwards).
int rayDegrees(const DrawCall& c) {
    const double a = std::atan2(c.y2 - c.y1, c.x2 - c.x1) * 180 / std::numbers::pi;
    return (static_cast<int>(std::lround(a)) + 360) % 360;
}

TEST(Ray, DrawsEveryWholeDegreeWithZeroTwiceWhateverTheStart) {
    // 0 gives the start angle 1, the largest value below 1 gives 360.
    for (double start : {0.0, 0.5, 0.25, 0.999999, 358.5 / 360}) {
        RecordingCanvas canvas(15360, 11520);
        ScriptedRandom random({start});
        FixedClock clock;
        qint16 code = 10;
        ClsDiag(code, canvas, random, clock);
        ASSERT_EQ(canvas.calls.size(), 361u);
        std::map<int, int> seen;
        for (const DrawCall& c : canvas.calls) {
            ASSERT_EQ(c.kind, DrawCall::Line);
            ASSERT_EQ(c.penWidth, 50);
            ASSERT_EQ(c.x1, 7680);
            ASSERT_EQ(c.y1, 5760);
            ASSERT_NEAR(std::hypot(c.x2 - c.x1, c.y2 - c.y1), 15360, 0.01);
            ++seen[rayDegrees(c)];
        }
        ASSERT_EQ(seen.size(), 360u) << "start " << start;
        // 0 and 360 land on the same direction; every other degree is drawn once.
        EXPECT_EQ(seen[0], 2);
        // Clockwise on screen: each ray one degree after the one before.
        const int a0 = static_cast<int>(std::floor(start * 360) + 1);
        EXPECT_EQ(rayDegrees(canvas.calls[0]), (a0 + 1) % 361 % 360);
        int repeats = 0;
        for (size_t i = 1; i < canvas.calls.size(); ++i) {
            const int step =
                (rayDegrees(canvas.calls[i]) - rayDegrees(canvas.calls[i - 1]) + 360) % 360;
            ASSERT_TRUE(step == 1 || step == 0) << "at ray " << i;
            repeats += step == 0; // from 360 to 0
        }
        EXPECT_EQ(repeats, a0 == 360 ? 0 : 1) << "start " << a0; // from 360 the turn runs 0 .. 360
    }
}

} // namespace
