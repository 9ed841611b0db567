#include "startup/ShowStart.h"

#include <gtest/gtest.h>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Italian(QLocale::Italian, QLocale::Italy);

TEST(SecondsChecks, TheLenientReadingDecidesRefusals) {
    const struct {
        const char* text;
        bool tooLong;
        bool missing;
    } cases[] = {
        {"30", false, false}, {"31", true, false},  {"30.5", true, false},
        {"", false, true},    {"0", false, true},   {"x", false, true},
        {"-5", false, false}, {".5", false, false}, {"5a", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SecondsTooLong(c.text), c.tooLong) << c.text;
        EXPECT_EQ(SecondsMissing(c.text), c.missing) << c.text;
    }
}

TEST(ShowInterval, SecondsBecomeMillisecondsNeverBelowOneSecond) {
    const struct {
        const char* text;
        const QLocale& locale;
        qint16 ms;
    } cases[] = {
        {"30", English, 30000},  {"2.5", English, 2500}, {"2,5", Italian, 2500},
        {"5a", English, 5000},  // refused by the strict conversion: the lenient value
        {"2,5", English, 2000}, // a group separator here: lenient reading stops at the comma
        {"0", English, 1000},    {".5", English, 1000},  {"-5", English, 1000},
        {"9e9", English, 32767}, {"inf", English, 1000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShowIntervalMs(c.text, c.locale), c.ms)
            << c.text << " in " << c.locale.name().toStdString();
}

TEST(CopyPanelValues, NoSelectedEntryGivesZeroAndMinusOneAndARootKeepsOneSeparator) {
    PanelValues v;
    v.folderPath = "/";
    v.secondsText = "7";
    v.randomColour = true;
    v.labelIndex = -1;
    ShowSettings s;
    CopyPanelValues(v, s, English);
    EXPECT_EQ(s.ShowFolder, "/");
    EXPECT_EQ(s.TempoAttesa, 7000);
    EXPECT_EQ(s.RGB_RANDOM, -1);
    EXPECT_EQ(s.TipoEffetto, 0);
    EXPECT_EQ(s.PosLabel, -1);
}

} // namespace
