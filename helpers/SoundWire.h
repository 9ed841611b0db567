#pragma once

#include "helpers/FdPassing.h"

#include <QtGlobal>

// What the program and a sound process of its own say to each other over a Unix socket pair of
// datagrams, one fixed-size message each; the samples go through a pipe the program makes for
// each sound:
//
//   helper -> program   Hello    confined and ready; `ok`: MIDI can sound (its soundfont loaded)
//   program -> helper   Probe    a sound file attached, and its kind: can it be played?
//   helper -> program   Probed   `ok`: it can
//   program -> helper   Play     a sound file and the write end of a pipe attached, its kind
//   helper -> program   Playing  the format of the samples going into the pipe, and the most
//                                frames to come, or
//                       Failed   the file cannot be played
//
// The helper writes the samples into the pipe until the sound ends, then closes it; the program
// stops a sound by closing its end. Both sides live on one machine and are built together: the
// fields are in native order.
namespace soundwire {

constexpr quint32 Magic = 0x51534E44; // "QSND"

enum Kind : quint32 { Hello = 1, Probe, Probed, Play, Playing, Failed };

struct Message {
    quint32 magic = Magic;
    quint32 kind = Failed;
    quint32 sound = 0;    // Probe, Play: a SoundKind
    quint32 ok = 0;       // Hello, Probed
    quint32 encoding = 0; // Playing: the samples' format (pcm::Declared)
    quint32 rate = 0;
    quint32 channels = 0;
    quint32 unused = 0;
    qint64 frames = 0; // Playing: the most frames to come; 0: as many as the kind allows
};
static_assert(sizeof(Message) == 40);

// The descriptors a message of `kind` carries: Probe the file, Play the file and the pipe.
size_t descriptorsOf(quint32 kind);

// Sends `message` with `fds` attached; false when the peer is gone or not reading.
bool send(int socket, const Message& message, std::initializer_list<int> fds = {});

// Waits until `deadline` (null: for ever) for one message. One of the wrong size or magic, of an
// unknown kind, or without exactly the descriptors its kind carries, is Malformed.
fdpassing::Received receive(int socket, Message& message, std::vector<UniqueFd>& fds,
                            const fdpassing::Deadline* deadline);

} // namespace soundwire
