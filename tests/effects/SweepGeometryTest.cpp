#include "RecordingCanvas.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

// The values a swept effect steps through: each call stands for one (a square's half side, a
// curtain's distance from the middle, a line's distance from its edge, a circle's radius), and
// each run of calls that stand for the same value is one step.
static std::vector<double> sweptValues(int code, const std::vector<DrawCall>& calls, double width,
                                       double height) {
    std::vector<double> values;
    const double slant = code == 7 ? 4000 : 0;
    for (const DrawCall& c : calls) {
        const double v = code <= 3   ? c.x2 - width / 2
                         : code <= 5 ? std::abs(width / 2 - c.x1)
                         : code <= 7 ? std::min(c.y1 + slant, height - c.y1 - slant)
                                     : c.x2;
        if (values.empty() || values.back() != v)
            values.push_back(v);
    }
    return values;
}

// The step counts and first and last values of the swept effects on two common screens.
const struct Sweep {
    double width, height;
    qint16 code;
    size_t steps;
    double first, last;
} sweeps[] = {
    {15360, 11520, 2, 1098, 7680, 1},
    {15360, 11520, 3, 1098, 0, 7679},
    {15360, 11520, 4, 1098, 7680, 1},
    {15360, 11520, 5, 1098, 0, 7679},
    {15360, 11520, 6, 823, 1, 5755},
    {15360, 11520, 7, 100, -4000, 5702},
    {15360, 11520, 8, 103, 10240, 40},
    {15360, 11520, 9, 103, 1, 10201},
    {12000, 9000, 2, 858, 6000, 1},
    {12000, 9000, 3, 858, 0, 5999},
    {12000, 9000, 4, 858, 6000, 1},
    {12000, 9000, 5, 858, 0, 5999},
    {12000, 9000, 6, 643, 1, 4495},
    {12000, 9000, 7, 87, -4000, 4428},
    {12000, 9000, 8, 80, 8000, 100},
    {12000, 9000, 9, 80, 1, 7901},
    // Beyond the 16-bit range (a 3840 x 2160 screen) the sweep still reaches the edges.
    {57600, 32400, 3, 4115, 0, 28798},
};
TABLE_TEST(SweepGeometry, StepsAndEnds, sweeps) {
    const auto& t = GetParam();
    UniformRandom random;
    qint16 code = t.code;
    const auto values =
        sweptValues(t.code, drawEffect(code, t.width, t.height, random).calls, t.width, t.height);
    ASSERT_EQ(values.size(), t.steps);
    EXPECT_EQ(values.front(), t.first);
    EXPECT_EQ(values.back(), t.last);
    const double step = (t.last - t.first) / (t.steps - 1);
    for (size_t i = 1; i < values.size(); ++i)
        ASSERT_EQ(values[i] - values[i - 1], step) << "at step " << i;
}

// The squares' outline is centred on the half size: a half twip rounds to the even neighbour.
const struct Square {
    double width, height;
    std::array<double, 4> first;
} squares[] = {{12001, 9000, {0, -1500, 12000, 10500}},
               {12003, 9001, {0, -1502, 12004, 10502}},
               {12002.4, 9003, {0, -1499, 12002, 10503}}};
TABLE_TEST(SweepSquares, RoundTheirCentreToEven, squares) {
    const auto& [width, height, first] = GetParam();
    UniformRandom random;
    qint16 code = 2;
    const DrawCall c = drawEffect(code, width, height, random).calls.at(0);
    EXPECT_EQ((std::array{c.x1, c.y1, c.x2, c.y2}), first);
}
