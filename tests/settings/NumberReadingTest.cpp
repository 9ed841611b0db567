#include "settings/NumberReading.h"
#include "support/Rows.h"

#include <gtest/gtest.h>

const std::pair<const char*, double> leadingNumbers[] = {
    {"7", 7},    {" 7 ", 7}, {"\t 12abc", 12}, {"1 2", 12}, {"-1 ", -1}, {"+3", 3}, {"2.5", 2.5},
    {".5", 0.5}, {"1=2", 1}, {"1.2.3", 1.2},   {"", 0},     {"word", 0}, {"-", 0},  {"5a", 5}};
TABLE_TEST(LenientReading, ReadsTheNumberAtTheStartOfTheText, leadingNumbers) {
    const auto& [text, value] = GetParam();
    EXPECT_DOUBLE_EQ(ReadLeadingNumber(QString::fromUtf8(text)), value);
}

TEST(ReadLeadingInt16, NumbersBeyondSixteenBitsAreLimitedNotWrapped) {
    EXPECT_EQ(ReadLeadingInt16(u"70000"), 32767);
    EXPECT_EQ(ReadLeadingInt16(u"-70000"), -32768);
    EXPECT_EQ(ReadLeadingInt16(u"65537"), 32767); // would wrap to 1 if truncated to 16 bits
}
