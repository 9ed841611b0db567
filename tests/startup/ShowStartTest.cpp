#include "startup/ShowStart.h"

#include <gtest/gtest.h>

// The seconds as the panel's locale reads them, else leniently; never below a second.
TEST(ShowInterval, SecondsBecomeMillisecondsNeverBelowOneSecond) {
    const QLocale English(QLocale::English, QLocale::UnitedStates);
    const QLocale Italian(QLocale::Italian, QLocale::Italy);
    const std::tuple<const char*, QLocale, qint16> cases[] = {
        {"30", English, 30000},  {"2.5", English, 2500}, {"2,5", Italian, 2500},
        {"5a", English, 5000},  // refused by the strict conversion: the lenient value
        {"2,5", English, 2000}, // a group separator here: lenient reading stops at the comma
        {"0", English, 1000},    {".5", English, 1000},  {"-5", English, 1000},
        {"9e9", English, 32767}, {"inf", English, 1000},
    };
    for (const auto& [text, locale, ms] : cases)
        EXPECT_EQ(ShowIntervalMs(text, locale), ms)
            << text << " in " << locale.name().toStdString();
}
