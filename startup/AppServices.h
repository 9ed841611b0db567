#pragma once

#include "settings/SettingsLocation.h"
#include "startup/CommandLine.h"

#include <functional>
#include <QString>

class Clock;
class Dialogs;
class FileOperations;
class Launcher;
class PictureSource;
class RandomSource;
class Registry;
struct SoundDevices;

// The program's services, what this start was asked and where it keeps its settings: one
// bundle, built once by the application object with every member named, and handed by
// reference to the panel and to each show window. The services are only named here (the
// picture source is a window-system interface); whoever calls one includes its header.
struct AppServices {
    Dialogs& dialogs;
    SoundDevices& sound;
    const Clock& clock;
    RandomSource& random;
    Launcher& launcher;
    // Where "&System Info..." looks the system information tool up.
    Registry& registry;
    // Where the preview's and the show's pictures are decoded.
    PictureSource& pictures;
    // Renames and deletes for the file list's menu.
    FileOperations& files;

    // The application folder, with a trailing separator: the panel and each show opening keep
    // it in AppFolder.
    QString appFolder;
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
    // Called after every scan the show window runs (at each opening, and again while the folder
    // has no pictures) with the number of pictures found; the panel shows it in Label17.
    std::function<void(int count)> rescanned;
};
