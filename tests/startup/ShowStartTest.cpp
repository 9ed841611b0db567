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
        {"5", false, false},   {"30", false, false}, {"31", true, false},  {"45", true, false},
        {"99", true, false},   {"", false, true},    {"0", false, true},   {"x", false, true},
        {" ", false, true},    {"-5", false, false}, {".5", false, false}, {"5a", false, false},
        {"30.5", true, false}, {"0.0", false, true},
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
        {"5", English, 5000},   {"30", English, 30000}, {"1", English, 1000},
        {"2.5", English, 2500}, {"2,5", Italian, 2500}, // the locale's decimal comma
        {"5a", English, 5000},  // refused by the strict conversion: the lenient value
        {"2,5", English, 2000}, // a group separator here: lenient reading stops at the comma
        {"0", English, 1000},   {".5", English, 1000},  {"-5", English, 1000},
        {"", English, 1000},    {"x", English, 1000},   {"9e9", English, 32767},
        {"inf", English, 1000}, {" 7", English, 7000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShowIntervalMs(c.text, c.locale), c.ms)
            << c.text << " in " << c.locale.name().toStdString();
}

TEST(EffectCode, TheNumberAtTheStartOfTheSelectedEntry) {
    EXPECT_EQ(EffectCodeOf(QString("10- Raggio")), 10);
    EXPECT_EQ(EffectCodeOf(QString("11- Solo animazione foto")), 11);
    EXPECT_EQ(EffectCodeOf(QString("0 - Effetto a caso")), 0);
    EXPECT_EQ(EffectCodeOf(QString("3 - Quadrato in apertura")), 3);
    EXPECT_EQ(EffectCodeOf(std::nullopt), 0);
}

TEST(CopyPanelValues, EveryControlReachesItsField) {
    PanelValues v;
    v.folderPath = "/home/anna/Foto";
    v.secondsText = "7";
    v.red = 10;
    v.green = 20;
    v.blue = 30;
    v.randomColour = true;
    v.frameState = 0;
    v.musicState = 1;
    v.commentState = 0;
    v.enlargeState = 1;
    v.speed = 42;
    v.effectEntry = QString("10- Raggio");
    v.labelIndex = 2;

    ShowSettings s;
    s.TempoAttesa = 5; // seconds, as read at start-up
    CopyPanelValues(v, s, English);
    EXPECT_EQ(s.ShowFolder, "/home/anna/Foto/");
    EXPECT_EQ(s.TempoAttesa, 7000);
    EXPECT_EQ(s.RGB_R, 10);
    EXPECT_EQ(s.RGB_G, 20);
    EXPECT_EQ(s.RGB_B, 30);
    EXPECT_EQ(s.RGB_RANDOM, -1);
    EXPECT_EQ(s.Cornice3D, 0);
    EXPECT_EQ(s.MusicaFM, 1);
    EXPECT_EQ(s.SuonoWAV, 0);
    EXPECT_EQ(s.AllargaFoto, 1);
    EXPECT_EQ(s.Effetti, 42);
    EXPECT_EQ(s.TipoEffetto, 10);
    EXPECT_EQ(s.PosLabel, 2);

    v.randomColour = false;
    v.effectEntry.reset();
    v.labelIndex = -1;
    v.folderPath = "/";
    CopyPanelValues(v, s, English);
    EXPECT_EQ(s.RGB_RANDOM, 0);
    EXPECT_EQ(s.TipoEffetto, 0);
    EXPECT_EQ(s.PosLabel, -1);
    EXPECT_EQ(s.ShowFolder, "/");
}

} // namespace
