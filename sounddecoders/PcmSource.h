#pragma once

#include "audio/PcmFormat.h"

#include <QtGlobal>

// A sound file being decoded, in the device's format (pcm::Rate, stereo, signed 16-bit): what the
// sound process streams to the program.
class PcmSource {
public:
    virtual ~PcmSource() = default;
    // What the program is told before the samples: the format, and the most frames to come.
    virtual pcm::Declared declared() const = 0;
    // Up to `frames` frames into `out`; the count, 0 once the sound has ended.
    virtual qsizetype read(qint16* out, qsizetype frames) = 0;
};

// The device's format, with `frames` the most frames a sound will give (0: not known before its
// end).
inline pcm::Declared deviceFormat(qint64 frames) {
    return {pcm::Signed16, quint32(pcm::Rate), quint32(pcm::Channels), frames};
}
