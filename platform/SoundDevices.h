#pragma once

#include <QString>

// The three sound facilities the show drives. The real ones share one SDL2_mixer engine
// (audio/); tests use recording fakes. With no sound device they are silent no-ops.

// The MCI sequencer stand-in: interprets the command strings the show sends
// ("open \"<path>\" type sequencer alias can", "close can", "play can ").
class MciSequencer {
public:
    virtual ~MciSequencer() = default;
    // True when the command was understood and carried out; callers ignore the result.
    virtual bool mciSendString(const QString& command) = 0;
};

// Asynchronous WAVE playback on one reserved channel: a new sound cuts the one playing; nothing
// else stops it.
class CommentSound {
public:
    virtual ~CommentSound() = default;
    virtual bool sndPlaySound(const QString& path) = 0;
};

// The MP3 player component: stop, and play a file once without waiting for its end.
class Mp3Player {
public:
    virtual ~Mp3Player() = default;
    // No MP3 music plays afterwards; harmless when nothing plays.
    virtual void stop() = 0;
    // Starts playback and returns at once; false when the file cannot be played.
    virtual bool play(const QString& path) = 0;
};

// The devices one show uses, handed around together.
struct SoundDevices {
    MciSequencer& mci;
    Mp3Player& mp3;
    CommentSound& comment;
};
