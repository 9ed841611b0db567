#pragma once

#include "platform/SoundDevices.h"

#include <functional>
#include <QString>
#include <QtGlobal>
#include <vector>

// The MIDI stop sequence: "open " + "" + " type sequencer alias can", then "close can".
void MidiStopSequence(MciSequencer& mci);

// The MIDI stop sequence, then the MP3 stop (end title, Fine).
void StopMusic(SoundDevices& devices);

// The comment name of a list entry: the entry less its last 4 characters, followed by ".wav",
// when it is longer than 5 characters; the entry unchanged otherwise.
QString CommentName(const QString& entry);

// Starts the comment of `currentPicture` when `suonoWAV` is non-zero and the file exists
// (looked up without regard to case).
void CommentStart(CommentSound& comment, const QString& showFolder, const QString& currentPicture,
                  qint16 suonoWAV);

// What the music change needs to know.
struct MusicChangeInput {
    QString showFolder;    // ends with the separator
    QString pictureFolder; // folder part of the entry, with its separator ("./", "Estate/")
    qint16 musicaFM = 0;
    bool showRunning = false;
};

// A part of the music change that runs once `waitMs` milliseconds have passed after the part
// before it (0: once the event loop has handled what waits). `run` may be empty: a wait alone.
struct MusicStep {
    int waitMs = 0;
    std::function<void()> run;
};

// The music change of the tick: stop sequence, MP3 stop, clear `musicRestart`, search *.mp3,
// else *.mid, else *.rmi in the folder, and start it when allowed. What follows its first pause
// is returned as steps, for the caller to run in order; none when nothing starts. Music that
// cannot be played leaves the folder silent, after the same waits.
std::vector<MusicStep> MusicChange(SoundDevices& devices, const MusicChangeInput& input,
                                   bool& musicRestart);
