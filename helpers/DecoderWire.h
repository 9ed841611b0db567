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
//   helper -> program   Pixels   the size, lines and format of the decoded pixels, asking for
//                                memory to hand them over in
//   program -> helper   Memory   a memfd of exactly that many bytes attached, made by the
//                                program and sealed so that it can neither grow nor shrink
//   helper -> program   Picture  the pixels are in that memory (the same fields again), or
//                       Failed   the picture cannot be decoded (at any point), or
//                       TooLarge the file is larger than any picture of its kind is read at
//
// The helper makes no memory of its own to hand over (it may make no memfd once confined): all
// it can hold beyond its address space is the one answer's memory, of the size the program
// accepted. The program seals the memory against writing before it maps it.
//
// Both sides live on one machine and are built together: the fields are in native order.
namespace decoderwire {

constexpr quint32 Magic = 0x51444543; // "QDEC"

enum Kind : quint32 { Open = 1, Natural, Shown, Picture, Failed, Pixels, Memory, TooLarge };

struct Message {
    quint32 magic = Magic;
    quint32 kind = Failed;
    qint32 width = 0;        // Natural: the natural size; Shown: the size to decode at;
    qint32 height = 0;       // Pixels, Picture: the size of the pixels handed over
    qint32 naturalWidth = 0; // Picture: the picture's natural size
    qint32 naturalHeight = 0;
    qint32 stride = 0;   // Pixels, Picture: bytes from one line to the next
    quint32 format = 0;  // Pixels, Picture: a QImage::Format, one of the two below
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

// Whether the pixels a Pixels (or Picture) message describes may be handed over: one of the two
// formats above, lines that hold the width, within MaxPictureBytes, and no larger in either
// direction than `largestAsked`.
bool acceptablePixels(const Message& message, QSize largestAsked);

// The bytes of the pixels `message` describes.
qint64 pixelBytes(const Message& message);

// The program's side: memory for `bytes` bytes of pixels, a memfd sealed so that nobody can
// grow or shrink it; invalid when it cannot be made.
UniqueFd pixelMemory(qint64 bytes);

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

// The pixels of a Picture message in `memory`, the memory the program handed over for the
// Pixels message `asked`, sealed against writing and mapped read-only without copying. Refused
// (a null image) unless the Picture describes the pixels asked for and the seal holds (it
// cannot while the helper still maps the memory for writing).
QImage mapPicture(const Message& picture, const Message& asked, int memory);

} // namespace decoderwire
