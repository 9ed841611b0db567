#pragma once

#include <QByteArray>
#include <QList>

class QImageReader;
class QIODevice;

// The picture formats decoded, told by the file's first bytes, never by its name: BMP, JPEG,
// GIF, ICO and CUR, and PNG and WebP, which downloads hold under picture names. Any other
// content (TIFF, SVG, MNG, XPM, ...) is not decoded, so those formats' parsers never see a
// file. Metafiles are told apart before (MetafileDecoder.h).
namespace pictureformats {

// Qt's names of the formats decoded.
const QList<QByteArray>& decoded();

// The format `head` (a file's first bytes) holds, or empty when it is none of them.
QByteArray sniffed(const QByteArray& head);

// Sets `reader` to read `file` as the format its content holds, and only that: a reader of a
// file of no decoded format reads nothing.
void readByContent(QImageReader& reader, QIODevice& file);

// The largest file read at all: a metafile is read whole and held with its drawing, so it
// stops at 256 MB; any other picture at 1 GB, the pixels of the largest picture shown.
constexpr qint64 MaxMetafileBytes = qint64(256) << 20;
constexpr qint64 MaxPictureFileBytes = qint64(1) << 30;

// Whether `file` is within its bound.
bool acceptableSize(QIODevice& file);

} // namespace pictureformats
