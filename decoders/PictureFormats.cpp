#include "decoders/PictureFormats.h"

#include "decoders/MetafileDecoder.h"

#include <QImageReader>
#include <QIODevice>

namespace pictureformats {

namespace {

constexpr qint64 HeadBytes = 16;

// A name no plug-in carries: a reader set to it reads nothing.
constexpr char NoFormat[] = "quirello-none";

} // namespace

const QList<QByteArray>& decoded() {
    static const QList<QByteArray> formats{"bmp", "jpeg", "gif", "ico", "cur", "png", "webp"};
    return formats;
}

QByteArray sniffed(const QByteArray& head) {
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith(QByteArray("\0\0\1\0", 4)))
        return "ico";
    if (head.startsWith(QByteArray("\0\0\2\0", 4)))
        return "cur";
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}

void readByContent(QImageReader& reader, QIODevice& file) {
    const QByteArray format = sniffed(file.peek(HeadBytes));
    reader.setDevice(&file);
    reader.setFormat(format.isEmpty() ? QByteArray(NoFormat) : format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
}

bool acceptableSize(QIODevice& file) {
    const qint64 bound = metafileKind(file.peek(metafileHeadSize)) == MetafileKind::None
                             ? MaxPictureFileBytes
                             : MaxMetafileBytes;
    return file.size() <= bound;
}

} // namespace pictureformats
