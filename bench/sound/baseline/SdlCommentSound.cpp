#include "baseline/SdlCommentSound.h"

#include "baseline/AudioEngine.h"
#include "baseline/SdlFileSource.h"
#include "core/RegularFile.h"
#include "sounddecoders/WaveHeader.h"

namespace inprocess {

namespace {
// The chunks before the samples (format, and at most some tags) lie within this.
constexpr qint64 kHeaderBytes = qint64(256) * 1024;
// A comment is loaded whole and converted for the device: more than about twelve minutes of
// sound is not a comment, and would hold this much memory.
constexpr qint64 kLargestConvertedComment = qint64(128) * 1024 * 1024;
} // namespace

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
    RegularFile file(path);
    if (!file.isOpen())
        return false;
    // The header is checked before the loader trusts it: a declared data length beyond the
    // file would otherwise be reserved in full.
    const std::optional<WaveHeader> header = readWaveHeader(file.head(kHeaderBytes), file.size());
    if (!header || convertedBytes(*header, engine_.sampleRate(), 2) > kLargestConvertedComment)
        return false;
    // The comments measured are little-endian PCM, which SDL's loader took as they were.
    SDL_RWops* source = sdlFileSource(file);
    if (source == nullptr)
        return false;
    chunk_ = Mix_LoadWAV_RW(source, 1);
    if (chunk_ == nullptr)
        return false;
    if (Mix_PlayChannel(AudioEngine::kCommentChannel, chunk_, 0) < 0) {
        release();
        return false;
    }
    return true;
}

} // namespace inprocess
