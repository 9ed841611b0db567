#include "baseline/SdlMp3Player.h"

#include "baseline/AudioEngine.h"
#include "baseline/SdlFileSource.h"
#include "core/RegularFile.h"

namespace inprocess {

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
    // Only a regular file: the music is streamed from it while it plays, and a named pipe
    // would block the show at the open.
    RegularFile file(path);
    SDL_RWops* source = sdlFileSource(file);
    if (source == nullptr)
        return false;
    // The name decides the decoder, as it does when SDL opens the file itself.
    const Mix_MusicType type =
        path.endsWith(QLatin1StringView(".mp3"), Qt::CaseInsensitive) ? MUS_MP3 : MUS_NONE;
    music_ = Mix_LoadMUSType_RW(source, type, 1);
    if (music_ == nullptr)
        return false;
    if (!engine_.playMusic(music_)) {
        stop();
        return false;
    }
    return true;
}

} // namespace inprocess
