#include "audio/SdlMp3Player.h"

#include "audio/AudioEngine.h"
#include "audio/SoundDecoding.h"
#include "core/RegularFile.h"

#include <unistd.h>

SdlMp3Player::~SdlMp3Player() {
    stop();
}

void SdlMp3Player::stop() {
    engine_.stop(AudioEngine::Voice::Music, this);
}

bool SdlMp3Player::play(const QString& path) {
    stop();
    if (!engine_.ready())
        return true;
    // Only a regular file: the sound process reads it while it plays, and a named pipe would
    // block it.
    RegularFile file(path);
    const qint64 bytes = file.size();
    const int fd = file.release();
    if (fd < 0)
        return false;
    std::unique_ptr<PcmStream> music = decoding_.decode(SoundKind::Mp3, fd, bytes);
    ::close(fd);
    if (!music)
        return false;
    engine_.play(AudioEngine::Voice::Music, std::move(music), this);
    return true;
}
