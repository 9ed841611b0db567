#pragma once

#include <functional>
#include <QString>

class Clock;
class Dialogs;
class PictureSource;
class RandomSource;
struct AppServices;
struct SoundDevices;

// What the show window uses of the program's services, the tick's among them: a test or a
// benchmark of the window builds these, and nothing the panel alone needs.
struct ShowServices {
    Dialogs& dialogs;
    SoundDevices& sound;
    const Clock& clock;
    RandomSource& random;
    // Where the show's pictures are decoded.
    PictureSource& pictures;
    // The application folder, with a trailing separator: each opening keeps it in AppFolder.
    QString appFolder;
    // Called after every scan the window runs (at its opening, and again while the folder has
    // no pictures) with the number of pictures found.
    std::function<void(int count)> rescanned;
};

// The show window's part of the program's one bundle.
ShowServices ShowServicesOf(const AppServices& services);
