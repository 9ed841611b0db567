#include "platform/audio/SdlMp3Player.h"

#include "platform/audio/AudioEngine.h"

#include <QFile>

SdlMp3Player::~SdlMp3Player() {
    stop();
}

void SdlMp3Player::stop() {
    engine_.freeMusic(music_);
    music_ = nullptr;
}

bool SdlMp3Player::play(const QString& path) {
    stop();
    if (!engine_.ready())
        return true;
    music_ = Mix_LoadMUS(QFile::encodeName(path).constData());
    if (music_ == nullptr)
        return false;
    if (!engine_.playMusic(music_)) {
        stop();
        return false;
    }
    return true;
}
