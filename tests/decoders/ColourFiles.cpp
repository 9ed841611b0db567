#include "ColourFiles.h"

#include "support/TestFiles.h"

#include <lcms2.h>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace colourfiles {

QString displayP3() {
    return QStringLiteral("/usr/share/color/argyll/ref/DisplayP3.icm");
}
QString adobeRgb() {
    return QStringLiteral("/usr/share/color/icc/colord/AdobeRGB1998.icc");
}
QString proPhoto() {
    return QStringLiteral("/usr/share/color/icc/colord/ProPhotoRGB.icc");
}
QString greyLStar() {
    return QStringLiteral("/usr/share/color/icc/Gray-CIE_L.icc");
}
QString swopCmyk() {
    return QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
}
QString srgb() {
    return QStringLiteral("/usr/share/color/icc/colord/sRGB.icc");
}
QString adobeRgbCompatible() {
    return QStringLiteral("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc");
}

namespace {

int sampleLab(const cmsUInt16Number in[], cmsUInt16Number out[], void* transform) {
    cmsDoTransform(static_cast<cmsHTRANSFORM>(transform), in, out, 1);
    return TRUE;
}

QByteArray tableProfileOf(const QString& matrixProfile) {
    cmsHPROFILE matrix = cmsOpenProfileFromFile(QFile::encodeName(matrixProfile).constData(), "r");
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(matrix, TYPE_RGB_16, lab, TYPE_Lab_16,
                                             INTENT_PERCEPTUAL, cmsFLAGS_NOOPTIMIZE);
    cmsHPROFILE table = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(table, 4.3);
    cmsSetDeviceClass(table, cmsSigDisplayClass);
    cmsSetColorSpace(table, cmsSigRgbData);
    cmsSetPCS(table, cmsSigLabData);
    cmsPipeline* toPcs = cmsPipelineAlloc(nullptr, 3, 3);
    cmsStage* grid = cmsStageAllocCLut16bit(nullptr, 17, 3, 3, nullptr);
    cmsStageSampleCLut16bit(grid, sampleLab, toLab, 0);
    // Identity curves around the grid: the table type a version 4 profile stores needs them.
    cmsPipelineInsertStage(toPcs, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsPipelineInsertStage(toPcs, cmsAT_END, grid);
    cmsPipelineInsertStage(toPcs, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsWriteTag(table, cmsSigAToB0Tag, toPcs);
    cmsWriteTag(table, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(table, nullptr, &size);
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(table, bytes.data(), &size);
    cmsPipelineFree(toPcs);
    cmsCloseProfile(table);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(matrix);
    return bytes;
}

} // namespace

QString tableP3() {
    static QTemporaryDir folder;
    const QString path = folder.filePath("table-p3.icc");
    if (!QFile::exists(path))
        testfiles::write(path, tableProfileOf(displayP3()));
    return path;
}

void makePhoto(const QString& path, const QString& profile, Pixels pixels,
               const QStringList& options) {
    QStringList arguments{"-size", "96x64", "-seed", "5", "plasma:fractal", "-modulate", "100,200"};
    if (pixels == Pixels::Grey)
        arguments << "-colorspace"
                  << "Gray";
    if (pixels == Pixels::Cmyk)
        arguments << "-colorspace"
                  << "CMYK";
    // A profile given to a picture without one is embedded, the pixels left as they are.
    if (!profile.isEmpty())
        arguments << "-profile" << profile;
    arguments << options << "-quality"
              << "95" << path;
    testfiles::make("convert", arguments);
}

QImage convertedByImageMagick(const QString& path, const QString& assumed) {
    QTemporaryDir folder;
    const QString out = folder.filePath("reference.png");
    QStringList arguments{path, "-intent", "Perceptual"};
    if (!assumed.isEmpty())
        arguments << "-profile" << assumed;
    arguments << "-profile" << srgb() << "-strip"
              << "PNG24:" + out;
    testfiles::make("convert", arguments);
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

namespace {

void put16(QByteArray& out, quint16 v, char order = 'M') {
    char bytes[2];
    if (order == 'M')
        qToBigEndian(v, bytes);
    else
        qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}
void put32(QByteArray& out, quint32 v, char order) {
    char bytes[4];
    if (order == 'M')
        qToBigEndian(v, bytes);
    else
        qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

QByteArray segment(uchar marker, const QByteArray& body) {
    QByteArray out;
    out.append(char(0xFF));
    out.append(char(marker));
    put16(out, quint16(body.size() + 2));
    return out + body;
}

// The JPEG without its APP0, APP1 and APP2 segments, from the first segment after SOI.
QByteArray withoutApplicationSegments(const QByteArray& jpeg) {
    QByteArray rest = jpeg.mid(2);
    while (rest.size() > 4 && uchar(rest[0]) == 0xFF && uchar(rest[1]) >= 0xE0 &&
           uchar(rest[1]) <= 0xE2)
        rest = rest.mid(2 + qFromBigEndian<quint16>(rest.constData() + 2));
    return rest;
}

void entry(QByteArray& out, quint16 tag, quint16 type, quint32 count, const QByteArray& value,
           char order) {
    put16(out, tag, order);
    put16(out, type, order);
    put32(out, count, order);
    out.append(value.leftJustified(4, '\0', true));
}

QByteArray number(quint32 v, int bytes, char order) {
    QByteArray out;
    if (bytes == 2)
        put16(out, quint16(v), order);
    else
        put32(out, v, order);
    return out;
}

} // namespace

QByteArray withIccChunks(const QByteArray& jpeg, const QByteArray& profile, QList<int> sizes,
                         QList<int> order) {
    QList<QByteArray> chunks;
    qsizetype at = 0;
    for (const int size : sizes) {
        chunks << profile.mid(at, size);
        at += size;
    }
    chunks << profile.mid(at);
    if (order.isEmpty())
        for (int i = 1; i <= chunks.size(); ++i)
            order << i;
    QByteArray out("\xFF\xD8", 2);
    for (const int number : order) {
        QByteArray body("ICC_PROFILE\0", 12);
        body.append(char(number));
        body.append(char(chunks.size()));
        out += segment(0xE2, body + chunks[number - 1]);
    }
    return out + withoutApplicationSegments(jpeg);
}

QByteArray withExifColourSpace(const QByteArray& jpeg, quint16 space, const QByteArray& index,
                               char order) {
    // IFD0 at 8 with the EXIF directory's place; the EXIF directory at 26 with the colour space
    // and the interoperability directory's place; that at 56 with its index.
    QByteArray tiff(order == 'M' ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4));
    put32(tiff, 8, order);
    put16(tiff, 1, order);
    entry(tiff, 0x8769, 4, 1, number(26, 4, order), order);
    put32(tiff, 0, order);
    put16(tiff, 2, order);
    entry(tiff, 0xA001, 3, 1, number(space, 2, order), order);
    entry(tiff, 0xA005, 4, 1, number(56, 4, order), order);
    put32(tiff, 0, order);
    put16(tiff, 1, order);
    entry(tiff, 0x0001, 2, 4, index + QByteArray(1, '\0'), order);
    put32(tiff, 0, order);
    return QByteArray("\xFF\xD8", 2) + segment(0xE1, QByteArray("Exif\0\0", 6) + tiff) +
           withoutApplicationSegments(jpeg);
}

double meanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += qAbs(qRed(p[col]) - qRed(q[col])) + qAbs(qGreen(p[col]) - qGreen(q[col])) +
                   qAbs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace colourfiles
