#pragma once

#include "settings/SettingRules.h"
#include "settings/ShowSettings.h"

#include <array>
#include <optional>
#include <QLocale>
#include <QString>

// The seconds a picture may stay at most; a longer time is refused before the show starts.
inline constexpr double MaxSecondsPerPicture = 30;
// The shortest interval a show runs with: shorter ones (from "0", ".5", "-5") would flood the
// show with ticks.
inline constexpr qint16 MinShowIntervalMs = 1000;

inline const QString TooLongMessage = QStringLiteral(
    "Vuoi fare addormentare tutti quanti! 30 secondi mi sembrano il massimo per una foto.");
inline const QString NoSecondsMessage = QStringLiteral("Inserire un numero di secondi da 1 a 9");

// The seconds field read leniently is above the maximum: "&Play" refuses to start.
bool SecondsTooLong(const QString& secondsText);
// The seconds field read leniently is exactly 0 (empty, "0", no number): leaving it is refused.
bool SecondsMissing(const QString& secondsText);

// The time each picture stays, in milliseconds, from the seconds text: the locale's strict
// conversion, or the lenient reading when the strict one refuses the text (as "5a" does);
// times 1000, a half to the even neighbour, and never below MinShowIntervalMs.
qint16 ShowIntervalMs(const QString& secondsText, const QLocale& locale);

// The effect code from the effect list's selected entry ("10- Raggio" gives 10); 0 when no
// entry is selected.
qint16 EffectCodeOf(const std::optional<QString>& selectedEntry);

// What the panel's controls hold when a show starts.
struct PanelValues {
    QString folderPath;  // the folder list's path, as the list reports it
    QString secondsText; // the seconds field, exactly as typed
    // Per key, the state of its control: a check box's 0 or 1, a bar's value, a list's selected
    // index (-1 for none). The folder and the seconds are the texts above.
    std::array<int, SettingCount> states{};
    std::optional<QString> effectEntry; // the effect list's selected entry, if any
};

// Copies the controls into the settings record the show reads; the seconds become
// milliseconds and the folder gets its trailing separator.
void CopyPanelValues(const PanelValues& values, ShowSettings& settings, const QLocale& locale);
