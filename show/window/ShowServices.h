#pragma once

#include <functional>
#include <QString>

class Clock;
class Dialogs;
class PictureSource;
class RandomSource;
struct SoundDevices;

// What the show window needs besides the shared records: the message boxes, the sound devices,
// the clock and the random generator, the picture decoder, a notice for the panel after each
// folder scan, and the application folder.
struct ShowServices {
    Dialogs& dialogs;
    SoundDevices& sound;
    const Clock& clock;
    RandomSource& random;
    PictureSource& pictures;
    // Called after every scan the show window runs (at each opening, and again while the folder
    // has no pictures) with the number of pictures found; the panel shows it in Label17.
    std::function<void(int count)> rescanned;
    // The application folder, with a trailing separator: each opening keeps it in AppFolder.
    QString appFolder;
};
