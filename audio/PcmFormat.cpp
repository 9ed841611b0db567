#include "audio/PcmFormat.h"

#include <algorithm>

namespace pcm {

qint64 mostFrames(SoundKind kind, qint64 fileBytes) {
    switch (kind) {
    case SoundKind::Wave:
        return LongestComment;
    case SoundKind::Mp3:
        // A terabyte bounds the product; no MP3 comes near.
        return fileBytes <= 0 ? 0 : std::min(fileBytes, qint64(1) << 40) * Mp3FramesPerByte + Rate;
    case SoundKind::Midi:
        return LongestMidi;
    }
    return 0;
}

std::optional<qint64> acceptedFrames(SoundKind kind, qint64 fileBytes, const Declared& declared) {
    if (declared.encoding != Signed16 || declared.rate != quint32(Rate) ||
        declared.channels != quint32(Channels))
        return std::nullopt;
    const qint64 most = mostFrames(kind, fileBytes);
    if (declared.frames < 0 || declared.frames > most)
        return std::nullopt;
    // A comment's length is known before it plays; music's only at its end.
    if (kind == SoundKind::Wave && declared.frames == 0)
        return std::nullopt;
    if (declared.frames == 0 && most == 0)
        return std::nullopt;
    return declared.frames > 0 ? declared.frames : most;
}

} // namespace pcm
