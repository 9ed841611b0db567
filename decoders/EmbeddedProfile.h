#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

class QIODevice;

// The colours a picture file says its pixels are in, read by the program itself from the file's
// bytes: Qt's readers lose some profiles (a JPEG's short last chunk) and take no grey or CMYK
// one, and none reads a camera's EXIF mark of Adobe RGB.
struct EmbeddedProfile {
    enum class Kind {
        None,     // untagged: the pixels are taken as sRGB
        Srgb,     // said to be sRGB without a profile (a PNG's sRGB chunk, a BMP's colour space)
        Icc,      // an embedded ICC profile, in `icc`, not yet parsed
        AdobeRgb, // no profile, but the camera's EXIF marks Adobe RGB (DCF's option file rule)
    };
    Kind kind = Kind::None;
    QByteArray icc;

    bool operator==(const EmbeddedProfile&) const = default;
};

// A profile larger than this is not read (the largest real ones, CMYK tables, are near 2 MB).
constexpr qsizetype MaxProfileBytes = qsizetype(4) << 20;

// The profile of the JPEG, PNG, WebP or BMP file (told by its first bytes; other formats are
// untagged), reading only what it needs; the device is left at an unspecified position. A
// damaged, inconsistent or oversized profile gives Kind::None. Safe on any bytes.
EmbeddedProfile embeddedProfile(QIODevice& file);

// Whether the TIFF structure of an EXIF block marks the camera's Adobe RGB as DCF does: colour
// space "uncalibrated" (0xFFFF) with the interoperability index "R03".
bool exifMarksAdobeRgb(QByteArrayView tiff);
