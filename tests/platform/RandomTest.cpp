#include "platform/RandomSource.h"

#include <gtest/gtest.h>

TEST(UniformRandom, StaysInRangeAndReseedingWithTheSameSeedMovesOn) {
    UniformRandom random;
    double previous = -1;
    for (int i = 0; i < 1000; ++i) {
        random.reseed(12345.0); // an unchanged clock reading
        const double r = random.next();
        ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
        ASSERT_NE(r, previous) << "re-seeding with the same clock repeated the pick";
        previous = r;
    }
}
