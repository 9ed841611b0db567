#include "core/Rounding.h"
#include "support/Rows.h"

#include <gtest/gtest.h>
#include <limits>

const std::pair<double, qint64> roundings[] = {
    {2.5, 2}, {3.5, 4},  {-2.5, -2},
    {0.5, 0}, {1.5, 2},  {2.4, 2},
    {2.6, 3}, {-0.4, 0}, {1e300, std::numeric_limits<qint64>::max()}};
TABLE_TEST(HalfEvenRounding, HalvesGoToTheEvenNeighbour, roundings) {
    EXPECT_EQ(RoundHalfEven(GetParam().first), GetParam().second);
}
