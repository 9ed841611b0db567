#include "platform/audio/SdlCommentSound.h"

#include "platform/audio/AudioEngine.h"

#include <QFile>

SdlCommentSound::~SdlCommentSound() {
    release();
}

void SdlCommentSound::release() {
    if (chunk_ == nullptr)
        return;
    Mix_HaltChannel(AudioEngine::kCommentChannel); // a chunk is never freed while it plays
    Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
}

bool SdlCommentSound::sndPlaySound(const QString& path) {
    if (!engine_.ready())
        return false;
    release(); // a new comment cuts the old one, even when the new one cannot be played
    chunk_ = Mix_LoadWAV(QFile::encodeName(path).constData());
    if (chunk_ == nullptr)
        return false;
    if (Mix_PlayChannel(AudioEngine::kCommentChannel, chunk_, 0) < 0) {
        release();
        return false;
    }
    return true;
}
