#include "effects/ClsDiag.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

// The step counts and first and last values of the swept effects on two common screens.
namespace {

struct SweepCase {
    const char* name;
    double width, height;
    qint16 code;
    int callsPerStep;
    int steps;
    double first, last;
    // The swept value that the first call of a step stands for.
    double (*value)(const DrawCall&, double hw);
};

double squareHalfSide(const DrawCall& c, double hw) {
    return c.x2 - hw;
}
double curtainOffset(const DrawCall& c, double hw) {
    return hw - c.x1;
}
double lineY(const DrawCall& c, double) {
    return c.y1;
}
double slantY(const DrawCall& c, double) {
    return c.y1 + 4000;
}
double radius(const DrawCall& c, double) {
    return c.x2;
}

class SweepGeometry : public ::testing::TestWithParam<SweepCase> {};

TEST_P(SweepGeometry, StepsAndEnds) {
    const SweepCase& t = GetParam();
    RecordingCanvas canvas(t.width, t.height);
    UniformRandom random;
    FixedClock clock;
    qint16 code = t.code;
    ClsDiag(code, canvas, random, clock);

    const double hw = t.width / 2;
    ASSERT_EQ(canvas.calls.size(), static_cast<size_t>(t.steps * t.callsPerStep));
    EXPECT_EQ(t.value(canvas.calls.front(), hw), t.first);
    EXPECT_EQ(t.value(canvas.calls[canvas.calls.size() - t.callsPerStep], hw), t.last);
    // Consecutive steps are evenly spaced.
    const double step = (t.last - t.first) / (t.steps - 1);
    for (size_t i = t.callsPerStep; i < canvas.calls.size(); i += t.callsPerStep)
        ASSERT_EQ(t.value(canvas.calls[i], hw) - t.value(canvas.calls[i - t.callsPerStep], hw),
                  step)
            << "at call " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Screens, SweepGeometry,
    ::testing::Values(
        SweepCase{"square_closing_1024", 15360, 11520, 2, 2, 1098, 7680, 1, squareHalfSide},
        SweepCase{"square_opening_1024", 15360, 11520, 3, 2, 1098, 0, 7679, squareHalfSide},
        SweepCase{"curtain_closing_1024", 15360, 11520, 4, 4, 1098, 7680, 1, curtainOffset},
        SweepCase{"curtain_opening_1024", 15360, 11520, 5, 4, 1098, 0, 7679, curtainOffset},
        SweepCase{"horizontal_1024", 15360, 11520, 6, 2, 823, 1, 5755, lineY},
        SweepCase{"slanted_1024", 15360, 11520, 7, 2, 100, -4000, 5702, slantY},
        SweepCase{"circle_closing_1024", 15360, 11520, 8, 1, 103, 10240, 40, radius},
        SweepCase{"circle_opening_1024", 15360, 11520, 9, 1, 103, 1, 10201, radius},
        SweepCase{"square_closing_800", 12000, 9000, 2, 2, 858, 6000, 1, squareHalfSide},
        SweepCase{"square_opening_800", 12000, 9000, 3, 2, 858, 0, 5999, squareHalfSide},
        SweepCase{"curtain_closing_800", 12000, 9000, 4, 4, 858, 6000, 1, curtainOffset},
        SweepCase{"curtain_opening_800", 12000, 9000, 5, 4, 858, 0, 5999, curtainOffset},
        SweepCase{"horizontal_800", 12000, 9000, 6, 2, 643, 1, 4495, lineY},
        SweepCase{"slanted_800", 12000, 9000, 7, 2, 87, -4000, 4428, slantY},
        SweepCase{"circle_closing_800", 12000, 9000, 8, 1, 80, 8000, 100, radius},
        SweepCase{"circle_opening_800", 12000, 9000, 9, 1, 80, 1, 7901, radius},
        // Beyond the 16-bit range (a 3840 x 2160 screen) the sweep still reaches the edges.
        SweepCase{"square_opening_4k", 57600, 32400, 3, 2, 4115, 0, 28798, squareHalfSide},
        SweepCase{"circle_closing_4k", 57600, 32400, 8, 1, 384, 38400, 100, radius}),
    [](const auto& info) { return std::string(info.param.name); });

// Every call of a step draws the shape where the step says, in the order of the effect.
TEST(SweepShapes, SquaresAreCentredAndDrawnTwice) {
    RecordingCanvas canvas(15360, 11520);
    UniformRandom random;
    FixedClock clock;
    qint16 code = 2;
    ClsDiag(code, canvas, random, clock);
    const DrawCall& a = canvas.calls[0];
    const DrawCall& b = canvas.calls[1];
    EXPECT_EQ(a.kind, DrawCall::Box);
    EXPECT_EQ((std::array{a.x1, a.y1, a.x2, a.y2}), (std::array{0.0, -1920.0, 15360.0, 13440.0}));
    EXPECT_EQ((std::array{a.x1, a.y1, a.x2, a.y2}), (std::array{b.x1, b.y1, b.x2, b.y2}));
}

TEST(SweepShapes, CurtainsDrawLeftRightLeftRightDownToTheLastRow) {
    RecordingCanvas canvas(12000, 9000);
    UniformRandom random;
    FixedClock clock;
    qint16 code = 4;
    ClsDiag(code, canvas, random, clock);
    const double xs[] = {0, 12000, 0, 12000};
    for (int i = 0; i < 4; ++i) {
        const DrawCall& c = canvas.calls[i];
        EXPECT_EQ(c.kind, DrawCall::Line);
        EXPECT_EQ(c.x1, xs[i]);
        EXPECT_EQ(c.x2, xs[i]);
        EXPECT_EQ(c.y1, 0);
        EXPECT_EQ(c.y2, 8999);
    }
}

TEST(SweepShapes, LinePairsMirrorAcrossTheMiddleAndSpanTheWidth) {
    for (qint16 code : {6, 7}) {
        RecordingCanvas canvas(15360, 11520);
        UniformRandom random;
        FixedClock clock;
        qint16 c = code;
        ClsDiag(c, canvas, random, clock);
        const double rise = code == 7 ? 8000 : 0;
        for (size_t i = 0; i + 1 < canvas.calls.size(); i += 2) {
            const DrawCall& top = canvas.calls[i];
            const DrawCall& bottom = canvas.calls[i + 1];
            ASSERT_EQ(top.x1, 0);
            ASSERT_EQ(top.x2, 15360);
            ASSERT_EQ(top.y2 - top.y1, rise);
            ASSERT_EQ(bottom.y2 - bottom.y1, rise);
            // The lower line is the upper one reflected through the middle of the window.
            ASSERT_EQ(bottom.y1 + top.y1 + 2 * (code == 7 ? 4000 : 0), 11520) << "code " << code;
        }
    }
}

} // namespace
