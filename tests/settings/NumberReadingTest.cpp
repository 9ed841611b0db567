#include "settings/NumberReading.h"

#include <gtest/gtest.h>

struct LenientCase {
    const char* text;
    double value;
};

class LenientReading : public ::testing::TestWithParam<LenientCase> {};

TEST_P(LenientReading, ReadsTheNumberAtTheStartOfTheText) {
    EXPECT_DOUBLE_EQ(ReadLeadingNumber(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LenientReading,
                         ::testing::Values(LenientCase{"7", 7}, LenientCase{" 7 ", 7},
                                           LenientCase{"\t 12abc", 12}, LenientCase{"1 2", 12},
                                           LenientCase{"-1 ", -1}, LenientCase{"+3", 3},
                                           LenientCase{"2.5", 2.5}, LenientCase{".5", 0.5},
                                           LenientCase{"1=2", 1}, LenientCase{"1.2.3", 1.2},
                                           LenientCase{"", 0}, LenientCase{"word", 0},
                                           LenientCase{"-", 0}, LenientCase{"5a", 5}));

TEST(ReadLeadingInt16, NumbersBeyondSixteenBitsAreLimitedNotWrapped) {
    EXPECT_EQ(ReadLeadingInt16(u"70000"), 32767);
    EXPECT_EQ(ReadLeadingInt16(u"-70000"), -32768);
    EXPECT_EQ(ReadLeadingInt16(u"65537"), 32767); // would wrap to 1 if truncated to 16 bits
}
