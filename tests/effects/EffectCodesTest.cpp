#include "RecordingCanvas.h"

#include <gtest/gtest.h>
#include <set>

TEST(EffectCodes, ZeroPicksOneToTenAndWritesItBack) {
    std::set<int> picked;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        UniformRandom random(seed);
        qint16 code = 0;
        const RecordingCanvas canvas = drawEffect(code, 12000, 9000, random);
        ASSERT_TRUE(code >= 1 && code <= 10) << code;
        ASSERT_FALSE(canvas.calls.empty()) << "code " << code << " drew nothing";
        // Fifty pixels for the slanted lines and the ray, ten for the rest.
        ASSERT_EQ(canvas.calls[0].penWidth, (code == 7 || code == 10) ? 50 : 10) << code;
        picked.insert(code);
    }
    EXPECT_EQ(picked.size(), 10u) << "some effect is never chosen";
}

// The ends of the generator's range, and the code zero picks there.
const std::pair<double, int> ends[] = {{0.0, 1}, {0.0999, 1}, {0.1, 2}, {0.99999999, 10}};
TABLE_TEST(EffectCodeEnds, ZeroPicksByTheRandomNumber, ends) {
    ScriptedRandom random({GetParam().first});
    qint16 code = 0;
    drawEffect(code, 12000, 9000, random);
    EXPECT_EQ(code, GetParam().second);
}

// Codes outside 1..10.
const qint16 outside[] = {11, 12, 13, -1, 32767, -32768};
TABLE_TEST(EffectCodesOutsideOneToTen, DrawNothingAndKeepTheirCode, outside) {
    ScriptedRandom random({0.5});
    qint16 code = GetParam();
    EXPECT_TRUE(drawEffect(code, 15360, 11520, random).calls.empty());
    EXPECT_EQ(code, GetParam());
}
