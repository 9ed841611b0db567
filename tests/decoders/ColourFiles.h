#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// Tagged photos for the colour tests: real profiles of Debian's packages, pictures made by
// ImageMagick, and the JPEG marks no tool writes the odd ways cameras and editors do.
namespace colourfiles {

// Profiles as Debian ships them.
QString displayP3();          // argyll-ref
QString adobeRgb();           // colord-data
QString proPhoto();           // colord-data
QString greyLStar();          // icc-profiles-free: L* tone curve
QString swopCmyk();           // libgs-common: a CMYK table profile
QString srgb();               // colord-data: the target the references are converted to
QString adobeRgbCompatible(); // icc-profiles-free
// Display P3 as a table (LUT) profile, as scanners' and printers' profiles are made: a 17-point
// grid from RGB to Lab, sampled from argyll-ref's matrix profile with Little CMS.
QString tableP3();

// A saturated picture with the detail of a photo (a plasma fractal), `path` in the format its
// name ends with, given `profile` when one is named, and in CMYK or grey when asked.
enum class Pixels { Rgb, Grey, Cmyk };
// `options` are ImageMagick's for the writer (a progressive or arithmetic-coded JPEG).
void makePhoto(const QString& path, const QString& profile = {}, Pixels pixels = Pixels::Rgb,
               const QStringList& options = {});

// The picture at `path` converted to sRGB by ImageMagick (perceptual intent), from its embedded
// profile or, when `assumed` is named, from that profile as if embedded.
QImage convertedByImageMagick(const QString& path, const QString& assumed = {});

// `jpeg` without its ICC chunks, then with `profile` cut into APP2 chunks of `sizes` bytes and
// a last one of the rest, written in `order` (numbers from 1; all of them in order when empty).
QByteArray withIccChunks(const QByteArray& jpeg, const QByteArray& profile, QList<int> sizes,
                         QList<int> order = {});

// `jpeg` with an EXIF block whose EXIF directory holds the colour space `space` and whose
// interoperability directory holds the index `index` ("R98", "R03"), in byte order `order`.
QByteArray withExifColourSpace(const QByteArray& jpeg, quint16 space, const QByteArray& index,
                               char order = 'M');

// The mean difference of the colour channels (0 to 255) of two pictures of one size; 255 when
// their sizes differ.
double meanDifference(const QImage& a, const QImage& b);

} // namespace colourfiles
