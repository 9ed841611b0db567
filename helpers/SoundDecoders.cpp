#include "helpers/SoundDecoders.h"

SoundDecoders::SoundDecoders(const QString& program, std::chrono::milliseconds answerTime)
    : music_({program, SoundProcess::Role::Music, answerTime}),
      comments_({program, SoundProcess::Role::Comment, answerTime}) {}

void SoundDecoders::prepare(SoundKind kind) {
    of(kind).startAhead();
}

bool SoundDecoders::waitUntilReady(SoundKind kind, int ms) {
    return of(kind).waitUntilReady(ms);
}

bool SoundDecoders::playable(SoundKind kind, int file) {
    return of(kind).playable(kind, file);
}

std::unique_ptr<PcmStream> SoundDecoders::decode(SoundKind kind, int file, qint64 bytes) {
    return of(kind).decode(kind, file, bytes);
}
