#include "platform/gui/PictureDecoder.h"

#include "platform/gui/MetafileDecoder.h"
#include "platform/gui/PackedBitmap.h"
#include "platform/gui/PictureFormats.h"
#include "platform/gui/PictureLimits.h"

#include <mutex>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

void raiseAllocationLimitOnce() {
    // Qt refuses images over 256 MB by default, which stops a 100-megapixel panorama in a
    // format that cannot decode at a reduced size. The header check below keeps the ceiling.
    static std::once_flag once;
    std::call_once(once,
                   [] { QImageReader::setAllocationLimit(picturelimits::allocationLimitMB); });
}

bool isIconFormat(const QByteArray& format) {
    return format == "ico" || format == "cur";
}

// Icons and cursors hold several images; the largest (by area, the first of equal ones) looks
// best when the picture is enlarged to the screen.
void chooseLargestIcon(QImageReader& reader) {
    const int count = reader.imageCount();
    if (count <= 1)
        return;
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        const qint64 area = qint64(size.width()) * size.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    reader.jumpToImage(best);
}

bool turnsQuarter(const QImageReader& reader) {
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

bool isSmaller(QSize shown, QSize natural) {
    return shown.isValid() && !shown.isEmpty() && shown.width() <= natural.width() &&
           shown.height() <= natural.height() && shown != natural;
}

DecodedPicture decodeWith(QImageReader& reader, const ShownSizeFor& shownSize) {
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return {};
    if (isIconFormat(reader.format()))
        chooseLargestIcon(reader);

    const QSize stored = reader.size(); // as stored in the file, before the orientation
    QSize natural;
    QSize shown;
    if (stored.isValid()) {
        if (!picturelimits::acceptable(stored))
            return {};
        natural = turnsQuarter(reader) ? stored.transposed() : stored;
        shown = shownSize ? shownSize(natural) : natural;
        if (isSmaller(shown, natural) && reader.supportsOption(QImageIOHandler::ScaledSize)) {
            // The reader scales the stored picture; the orientation is applied afterwards.
            reader.setScaledSize(turnsQuarter(reader) ? shown.transposed() : shown);
        }
    }

    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    if (!stored.isValid()) {
        // A format that does not tell its size in advance: the allocation limit guarded it.
        natural = image.size();
        if (!picturelimits::acceptable(natural))
            return {};
        shown = shownSize ? shownSize(natural) : natural;
    }
    if (isSmaller(shown, natural) && image.size() != shown) {
        // Formats that cannot decode at a reduced size, or a reader that stopped near it.
        image = image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return {image, natural};
}

bool isBareBitmapSuffix(const QString& suffix) {
    return suffix.compare(QLatin1String("dib"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("rle"), Qt::CaseInsensitive) == 0;
}

DecodedPicture decodeRaster(QIODevice& file, const QString& suffix, const ShownSizeFor& shownSize) {
    {
        file.seek(0);
        QImageReader reader;
        pictureformats::readByContent(reader, file);
        DecodedPicture picture = decodeWith(reader, shownSize);
        if (picture.ok() || !isBareBitmapSuffix(suffix))
            return picture;
    }
    // DIB and RLE files are bitmaps, sometimes without the file header that identifies them.
    file.seek(0);
    QByteArray bytes = file.readAll();
    if (!bytes.startsWith("BM"))
        bytes = withBitmapFileHeader(bytes);
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader;
    pictureformats::readByContent(reader, buffer);
    return decodeWith(reader, shownSize);
}

} // namespace

DecodedPicture decodePicture(QIODevice& file, const QString& suffix,
                             const ShownSizeFor& shownSize) {
    raiseAllocationLimitOnce();
    if (!file.seek(0))
        return {};
    const MetafileKind kind = metafileKind(file.peek(metafileHeadSize));
    if (kind != MetafileKind::None)
        return decodeMetafile(file.readAll(), kind, shownSize);
    return decodeRaster(file, suffix, shownSize);
}

DecodedPicture decodePicture(const QString& path, const ShownSizeFor& shownSize) {
    // A folder or a pipe named like a picture is not one; reading a pipe would never end.
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodePicture(file, info.suffix(), shownSize);
}
