#pragma once

#include "helpers/UniqueFd.h"

#include <chrono>
#include <QImage>
#include <QSize>
#include <QtGlobal>

// What the program and its decoder helper say to each other over a Unix socket pair of
// datagrams (SOCK_SEQPACKET), one fixed-size message each:
//
//   program -> helper   Open     the picture's open file attached, and its name's extension
//   helper -> program   Natural  the picture's natural size, once its header is read
//   program -> helper   Shown    the size to decode at (answers each Natural)
//   helper -> program   Picture  the pixels in a sealed memfd attached, or
//                       Failed   the picture cannot be decoded, or
//                       TooLarge the file is larger than any picture of its kind is read at
//
// Both sides live on one machine and are built together: the fields are in native order.
namespace decoderwire {

constexpr quint32 Magic = 0x51444543; // "QDEC"

enum Kind : quint32 { Open = 1, Natural, Shown, Picture, Failed, TooLarge };

struct Message {
    quint32 magic = Magic;
    quint32 kind = Failed;
    qint32 width = 0;        // Natural: the natural size; Shown: the size to decode at;
    qint32 height = 0;       // Picture: the size of the pixels handed over
    qint32 naturalWidth = 0; // Picture: the picture's natural size
    qint32 naturalHeight = 0;
    qint32 stride = 0;   // Picture: bytes from one line to the next
    quint32 format = 0;  // Picture: a QImage::Format, one of the two below
    char suffix[8] = {}; // Open: the file name's extension, cut to 7 bytes, NUL-terminated

    QSize size() const { return QSize(width, height); }
};
static_assert(sizeof(Message) == 40);

// The pixel formats a picture is handed over in: 32 bits a pixel, with or without alpha.
constexpr QImage::Format OpaqueFormat = QImage::Format_RGB32;
constexpr QImage::Format AlphaFormat = QImage::Format_ARGB32_Premultiplied;

// The most pixel memory a Picture may hand over: as much as the helper may hold at all, so an
// answer beyond it cannot come from an honest helper.
constexpr qint64 MaxPictureBytes = qint64(1) << 30;

// Seals a picture's memfd must carry before the program maps it: nobody may change or
// shrink what the program reads.
bool sealedForReading(int memory);

using Deadline = std::chrono::steady_clock::time_point;

// Sends `message`, with `fd` attached when it is valid. Never blocks and never raises SIGPIPE:
// false when the peer is gone or not reading.
bool send(int socket, const Message& message, int fd = -1);

enum class Received { Message, Closed, TimedOut, Malformed };

// Waits until `deadline` for one message. A message of the wrong size or magic, an unknown
// kind, or more than one descriptor is Malformed; descriptors that came with it are closed.
// The descriptor attached to a good message is put into `fd` (close-on-exec).
Received receive(int socket, Deadline deadline, Message& message, UniqueFd& fd);

// Waits for ever (the helper's side: it has nothing else to do).
Received receive(int socket, Message& message, UniqueFd& fd);

// The pixels of a Picture message handed over in `memory`, mapped read-only without copying.
// Refused (a null image) unless the memory is sealed, its size is exactly stride x height,
// within MaxPictureBytes, the format is one of the two above, lines hold the width, and the
// size is no larger in either direction than `largestAsked`.
QImage mapPicture(const Message& message, int memory, QSize largestAsked);

} // namespace decoderwire
