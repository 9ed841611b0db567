#include "decoders/PictureDecoder.h"

#include "decoders/BitfieldBitmap.h"
#include "decoders/CmykJpeg.h"
#include "decoders/EmbeddedProfile.h"
#include "decoders/ExifOrientation.h"
#include "decoders/IconFrames.h"
#include "decoders/MetafileDecoder.h"
#include "decoders/PackedBitmap.h"
#include "decoders/PictureColours.h"
#include "decoders/PictureFormats.h"
#include "pictures/PictureLimits.h"

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

// What the program reads of a file itself, where Qt's readers fall short.
struct OwnReading {
    QByteArray iconBytes; // the whole file, when it is an icon or cursor
    std::vector<IconFrame> iconFrames;
    // The EXIF orientation, whatever integer type holds it.
    QImageIOHandler::Transformations orientation = QImageIOHandler::TransformationNone;
    // The colours the file says its pixels are in.
    EmbeddedProfile profile;
};

// Icons hold a few small frames; a larger file is left to Qt's reader alone.
constexpr qint64 LargestOwnIcon = 32 << 20;
// The EXIF block lies in the first segments of a JPEG, each at most 64 KB.
constexpr qint64 ExifHead = 256 << 10;

OwnReading readOwnParts(QIODevice& file) {
    OwnReading own;
    const QByteArray head = file.peek(4);
    if ((head == QByteArray("\0\0\1\0", 4) || head == QByteArray("\0\0\2\0", 4)) &&
        file.size() <= LargestOwnIcon) {
        own.iconBytes = file.readAll();
        own.iconFrames = iconFrames(own.iconBytes);
    } else if (head.startsWith("\xFF\xD8")) {
        own.orientation = orientationTransformation(exifOrientation(file.peek(ExifHead)));
    }
    own.profile = embeddedProfile(file);
    file.seek(0);
    return own;
}

// The frame to show, as the program chooses it; -1 to leave the choice to chooseLargestIcon.
int chooseOwnIconFrame(QImageReader& reader, const OwnReading& own) {
    const int best = bestIconFrame(own.iconFrames);
    if (best < 0 || reader.imageCount() != int(own.iconFrames.size()) || !reader.jumpToImage(best))
        return -1;
    return best;
}

// The turn the program applies itself: the orientation Qt's reader did not see.
QImageIOHandler::Transformations ownTurn(const QImageReader& reader, const OwnReading& own) {
    return reader.transformation() == QImageIOHandler::TransformationNone
               ? own.orientation
               : QImageIOHandler::Transformations(QImageIOHandler::TransformationNone);
}

bool turnsQuarter(const QImageReader& reader, const OwnReading& own) {
    return (reader.transformation() | ownTurn(reader, own))
        .testFlag(QImageIOHandler::TransformationRotate90);
}

// The decoded image with what Qt's reader left out: the icon's mask, the orientation.
QImage completed(QImage image, const QImageReader& reader, const OwnReading& own, int iconFrame) {
    if (iconFrame >= 0)
        image = withIconMask(image, own.iconBytes, own.iconFrames[size_t(iconFrame)]);
    const QImageIOHandler::Transformations turn = ownTurn(reader, own);
    if (turn != QImageIOHandler::TransformationNone)
        image = transformedBy(image, turn);
    return image;
}

bool isSmaller(QSize shown, QSize natural) {
    return shown.isValid() && !shown.isEmpty() && shown.width() <= natural.width() &&
           shown.height() <= natural.height() && shown != natural;
}

DecodedPicture decodeWith(QImageReader& reader, const ShownSizeFor& shownSize,
                          const OwnReading& own = {}) {
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return {};
    int iconFrame = -1;
    if (isIconFormat(reader.format())) {
        iconFrame = chooseOwnIconFrame(reader, own);
        if (iconFrame < 0)
            chooseLargestIcon(reader);
    }

    const QSize stored = reader.size(); // as stored in the file, before the orientation
    QSize natural;
    QSize shown;
    if (stored.isValid()) {
        if (!picturelimits::acceptable(stored))
            return {};
        natural = turnsQuarter(reader, own) ? stored.transposed() : stored;
        shown = shownSize ? shownSize(natural) : natural;
        if (isSmaller(shown, natural) && reader.supportsOption(QImageIOHandler::ScaledSize)) {
            // The reader scales the stored picture; the orientation is applied afterwards.
            reader.setScaledSize(turnsQuarter(reader, own) ? shown.transposed() : shown);
        }
    }

    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    image = completed(std::move(image), reader, own, iconFrame);
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

// A bit-field bitmap Qt's reader refused, read by the program's own reader.
DecodedPicture decodeBitfieldBitmap(QIODevice& file, const ShownSizeFor& shownSize) {
    const QSize natural = bitfieldBitmapSize(file);
    if (!natural.isValid())
        return {};
    const QSize shown = shownSize ? shownSize(natural) : natural;
    QImage image = readBitfieldBitmap(file);
    if (image.isNull())
        return {};
    if (isSmaller(shown, natural))
        image = image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return {image, natural};
}

// A CMYK JPEG whose profile converts its samples, which the program then reads itself. Larger
// files are left to Qt's reader, which does not hold the whole file.
constexpr qint64 LargestOwnCmykJpeg = 256 << 20;

DecodedPicture decodeCmykJpeg(QIODevice& file, const PictureColours& colours, const OwnReading& own,
                              const ShownSizeFor& shownSize) {
    if (file.size() > LargestOwnCmykJpeg || !file.seek(0))
        return {};
    CmykJpeg jpeg(file.readAll());
    const QSize stored = jpeg.size();
    if (!stored.isValid() || !picturelimits::acceptable(stored))
        return {};
    const bool quarter = own.orientation.testFlag(QImageIOHandler::TransformationRotate90);
    const QSize natural = quarter ? stored.transposed() : stored;
    const QSize shown = shownSize ? shownSize(natural) : natural;
    const bool smaller = isSmaller(shown, natural);
    if (!jpeg.read(smaller ? (quarter ? shown.transposed() : shown) : stored))
        return {};
    QImage image = colours.fromCmyk(jpeg.samples(), jpeg.samplesSize(), jpeg.bytesPerLine());
    if (image.isNull())
        return {};
    if (own.orientation != QImageIOHandler::TransformationNone)
        image = transformedBy(image, own.orientation);
    if (smaller && image.size() != shown)
        image = image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return {image, natural};
}

// The picture as decoded, in sRGB: converted on the pixels at their shown size, the fewest.
DecodedPicture inSrgb(DecodedPicture picture, const PictureColours& colours) {
    if (picture.ok())
        picture.image = colours.converted(std::move(picture.image));
    return picture;
}

DecodedPicture decodeRaster(QIODevice& file, const QString& suffix, const ShownSizeFor& shownSize) {
    {
        file.seek(0);
        const OwnReading own = readOwnParts(file);
        const PictureColours colours(own.profile);
        if (colours.source() == PictureColours::Source::Cmyk) {
            DecodedPicture cmyk = decodeCmykJpeg(file, colours, own, shownSize);
            if (cmyk.ok())
                return cmyk;
            file.seek(0);
        }
        QImageReader reader;
        pictureformats::readByContent(reader, file);
        DecodedPicture picture = decodeWith(reader, shownSize, own);
        if (!picture.ok())
            picture = decodeBitfieldBitmap(file, shownSize);
        if (picture.ok() || !isBareBitmapSuffix(suffix))
            return inSrgb(std::move(picture), colours);
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
    const PictureColours colours(embeddedProfile(buffer));
    buffer.seek(0);
    QImageReader reader;
    pictureformats::readByContent(reader, buffer);
    const DecodedPicture picture = decodeWith(reader, shownSize);
    return inSrgb(picture.ok() ? picture : decodeBitfieldBitmap(buffer, shownSize), colours);
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
