#pragma once

#include "audio/SoundDecoding.h"
#include "helpers/SoundProcess.h"

// The program's sound decoding: two sound processes of its own (the sound decoder beside the
// program), one for the music (MP3, MIDI with its synthesizer) and one for the comments, so that
// a comment never waits behind the music and a file that takes one over silences only what it
// plays.
class SoundDecoders final : public SoundDecoding {
public:
    explicit SoundDecoders(const QString& program,
                           std::chrono::milliseconds answerTime = std::chrono::milliseconds(1000));

    void prepare(SoundKind kind) override;
    bool waitUntilReady(SoundKind kind, int ms) override;
    bool playable(SoundKind kind, int file) override;
    std::unique_ptr<PcmStream> decode(SoundKind kind, int file, qint64 bytes) override;

    // The process that decodes `kind`.
    SoundProcess& of(SoundKind kind) { return kind == SoundKind::Wave ? comments_ : music_; }

private:
    SoundProcess music_;
    SoundProcess comments_;
};
