#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QImageIOHandler>

// The EXIF orientation of a JPEG, read by the program itself: Qt's reader takes the tag only
// when it is stored as a 16-bit SHORT, while some cameras store it as a 32-bit LONG or SLONG.

// The orientation (1 to 8) in the EXIF block of the JPEG whose first bytes are `head`, whatever
// integer type holds it; 0 when there is none or it cannot be read. Safe on any bytes.
int exifOrientation(QByteArrayView head);

// The turn and mirroring that shows a picture of that orientation upright.
QImageIOHandler::Transformations orientationTransformation(int orientation);

// `image` turned and mirrored by `transformation`, as Qt's readers apply it.
QImage transformedBy(const QImage& image, QImageIOHandler::Transformations transformation);
