#include "RecordingCanvas.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <set>

// Cells overlap by a twip: the pitch is one below the tile size.
TEST(Mosaic, DrawsEachOfTheSixHundredCellsOnce) {
    // The screen's width and height, the tiles' width and height.
    for (const auto& [width, height, tileWidth, tileHeight] :
         {std::array{15360.0, 11520.0, 512.0, 576.0}, std::array{12000.0, 9000.0, 400.0, 450.0}}) {
        for (std::uint64_t seed : {1ull, 77ull}) {
            ScriptedRandom random({}, seed);
            qint16 code = 1;
            const auto calls = drawEffect(code, width, height, random).calls;
            ASSERT_EQ(calls.size(), 600u);
            std::set<std::pair<double, double>> cells;
            for (const DrawCall& c : calls) {
                ASSERT_EQ(c.kind, DrawCall::FilledBox);
                ASSERT_FLOAT_EQ(c.x2 - c.x1, tileWidth);
                ASSERT_FLOAT_EQ(c.y2 - c.y1, tileHeight);
                const double col = c.x1 / (tileWidth - 1), row = c.y1 / (tileHeight - 1);
                ASSERT_TRUE(col == std::floor(col) && row == std::floor(row));
                ASSERT_TRUE(col >= 0 && col < 30 && row >= 0 && row < 20);
                ASSERT_TRUE(cells.insert({col, row}).second) << col << "," << row << " twice";
            }
        }
    }
}

// The angle of a ray in whole degrees, 0..359, as drawn on screen (y grows downwards).
static int rayDegrees(const DrawCall& c) {
    const double a = std::atan2(c.y2 - c.y1, c.x2 - c.x1) * 180 / std::numbers::pi;
    return (static_cast<int>(std::lround(a)) + 360) % 360;
}

TEST(Ray, DrawsEveryWholeDegreeWithZeroTwiceWhateverTheStart) {
    // 0 gives the start angle 1, the largest value below 1 gives 360.
    for (double start : {0.0, 0.5, 0.999999, 358.5 / 360}) {
        ScriptedRandom random({start});
        qint16 code = 10;
        const auto calls = drawEffect(code, 15360, 11520, random).calls;
        ASSERT_EQ(calls.size(), 361u);
        std::map<int, int> seen;
        for (const DrawCall& c : calls) {
            ASSERT_EQ(c.kind, DrawCall::Line);
            ASSERT_TRUE(c.x1 == 7680 && c.y1 == 5760);
            ASSERT_NEAR(std::hypot(c.x2 - c.x1, c.y2 - c.y1), 15360, 0.01);
            ++seen[rayDegrees(c)];
        }
        ASSERT_EQ(seen.size(), 360u) << "start " << start;
        EXPECT_EQ(seen[0], 2) << "0 and 360 land on the same direction";
        // Clockwise on screen, from one degree after the start.
        const int a0 = static_cast<int>(std::floor(start * 360) + 1);
        EXPECT_EQ(rayDegrees(calls[0]), (a0 + 1) % 361 % 360);
    }
}
