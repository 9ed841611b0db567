#include "audio/SdlCommentSound.h"

#include "audio/AudioEngine.h"
#include "audio/SoundDecoding.h"
#include "core/RegularFile.h"

#include <unistd.h>

SdlCommentSound::~SdlCommentSound() {
    engine_.stop(AudioEngine::Voice::Comment);
}

bool SdlCommentSound::sndPlaySound(const QString& path) {
    if (!engine_.ready())
        return false;
    engine_.stop(AudioEngine::Voice::Comment); // a new comment cuts the old one, even when it
                                               // cannot be played itself
    RegularFile file(path);
    const qint64 bytes = file.size();
    const int fd = file.release();
    if (fd < 0)
        return false;
    std::unique_ptr<PcmStream> comment = decoding_.decode(SoundKind::Wave, fd, bytes);
    ::close(fd);
    if (!comment)
        return false;
    engine_.play(AudioEngine::Voice::Comment, std::move(comment));
    return true;
}
