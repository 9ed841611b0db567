#pragma once

#include <optional>
#include <QtGlobal>

// The kinds of sound file the program plays.
enum class SoundKind : quint32 { Wave = 1, Mp3, Midi };

// The one format every sound reaches the device in, whatever its file held: the process that
// decodes the files converts them to it, and the program mixes nothing else. SDL converts it
// for the hardware.
namespace pcm {

constexpr int Rate = 44100;
constexpr int Channels = 2;
constexpr int FrameBytes = 4;      // two signed 16-bit samples
constexpr quint32 Signed16 = 1;    // signed 16-bit samples in the machine's byte order
constexpr int BufferFrames = 1024; // about 23 ms: a stop is heard at once

// A comment is decoded whole before the program had it: more than about twelve minutes of
// sound (128 MB at the device's format) is no comment.
constexpr qint64 LongestComment = (qint64(128) << 20) / FrameBytes;
// An MPEG audio frame of 576 samples at 8 kHz takes 13 bytes at the least (its header and side
// information, in free format): no MP3 gives more than 256 frames at the device's rate for a
// byte of its file.
constexpr qint64 Mp3FramesPerByte = 256;
// Far beyond any MIDI piece: the length of a piece is only known by playing it.
constexpr qint64 LongestMidi = qint64(3) * 3600 * Rate;

// What the decoding process says of a sound before its samples.
struct Declared {
    quint32 encoding = 0;
    quint32 rate = 0;
    quint32 channels = 0;
    qint64 frames = 0; // the most it will send; 0: as many as the kind allows
};

// The most frames a sound of `kind` read from a file of `fileBytes` can hold.
qint64 mostFrames(SoundKind kind, qint64 fileBytes);

// The frames the program takes of a sound so declared; nothing when the declaration is refused:
// another format than the device's, a comment without frames, more frames than the file can
// hold.
std::optional<qint64> acceptedFrames(SoundKind kind, qint64 fileBytes, const Declared& declared);

} // namespace pcm
