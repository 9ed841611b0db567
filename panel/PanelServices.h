#pragma once

#include "settings/SettingsLocation.h"
#include "startup/CommandLine.h"

#include <functional>
#include <QString>

class Dialogs;
class Launcher;
class Mp3Player;
class PictureSource;
class RandomSource;
class Registry;

// What the control panel needs besides the shared records.
struct PanelServices {
    Dialogs& dialogs;
    Launcher& launcher;
    RandomSource& random;
    // The show window's MP3 player: Esc stops it before the program ends.
    Mp3Player& mp3;
    // Where the preview's pictures are decoded.
    PictureSource& pictures;
    // Where "&System Info..." looks the system information tool up.
    Registry& registry;
    // The folder the program file lies in (the application folder, with or without separator).
    QString executableFolder;
    // The command line's argument text (everything after the program's name).
    QString argumentText;
    // The folder or picture the command line names, if any.
    OpenRequest open;
    // Where PHOTO.INI is read and written.
    SettingsLocation settingsLocation;
    // Opens the show window, application-modal; returns at once, the show runs on.
    std::function<void()> openShow;
    // Ends the program at once, without further handling.
    std::function<void()> endProgram;
};
