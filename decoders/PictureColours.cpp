#include "decoders/PictureColours.h"

#include <algorithm>
#include <lcms2.h>
#include <memory>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

namespace {

using Kind = EmbeddedProfile::Kind;
using Source = PictureColours::Source;

// Qt's 32-bit formats in memory: B, G, R, then alpha (or 0xFF) on a little-endian machine.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr cmsUInt32Number Rgb32 = TYPE_BGRA_8;
// A grey pixel spread over the three colour bytes of a 32-bit pixel: the first one is read.
constexpr cmsUInt32Number Grey32 =
    COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | EXTRA_SH(3) | BYTES_SH(1);
#else
constexpr cmsUInt32Number Rgb32 = TYPE_ARGB_8;
constexpr cmsUInt32Number Grey32 =
    COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | EXTRA_SH(3) | BYTES_SH(1) | SWAPFIRST_SH(1);
#endif

// A profile's failures are the picture's business, not the terminal's: nothing is printed.
void silent(cmsContext, cmsUInt32Number, const char*) {}

// An Adobe RGB (1998)-compatible profile, for cameras that mark Adobe RGB only in their EXIF:
// its primaries and white, and its gamma of 563/256.
cmsHPROFILE adobeRgb(cmsContext context) {
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{
        {0.6400, 0.3300, 1.0}, {0.2100, 0.7100, 1.0}, {0.1500, 0.0600, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(context, 563.0 / 256.0);
    if (!gamma)
        return nullptr;
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    cmsHPROFILE profile = cmsCreateRGBProfileTHR(context, &white, &primaries, curves);
    cmsFreeToneCurve(gamma);
    return profile;
}

cmsHPROFILE sourceProfile(cmsContext context, const EmbeddedProfile& profile) {
    switch (profile.kind) {
    case Kind::Icc:
        return cmsOpenProfileFromMemTHR(context, profile.icc.constData(),
                                        cmsUInt32Number(profile.icc.size()));
    case Kind::AdobeRgb:
        return adobeRgb(context);
    default:
        return nullptr;
    }
}

// Profiles that describe a device's or a space's colours; links, abstract and named-colour
// profiles describe no picture's pixels.
bool describesPixels(cmsHPROFILE profile) {
    switch (cmsGetDeviceClass(profile)) {
    case cmsSigInputClass:
    case cmsSigDisplayClass:
    case cmsSigOutputClass:
    case cmsSigColorSpaceClass:
        return true;
    default:
        return false;
    }
}

Source sourceOf(cmsHPROFILE profile) {
    switch (cmsGetColorSpace(profile)) {
    case cmsSigRgbData:
        return Source::Rgb;
    case cmsSigGrayData:
        return Source::Grey;
    case cmsSigCmykData:
        return Source::Cmyk;
    default:
        return Source::None;
    }
}

cmsUInt32Number inputFormat(Source source) {
    switch (source) {
    case Source::Grey:
        return Grey32;
    case Source::Cmyk:
        return TYPE_CMYK_8_REV;
    default:
        return Rgb32;
    }
}

// Perceptual, unless the profile names another intent it carries.
cmsUInt32Number intentOf(cmsHPROFILE profile) {
    const cmsUInt32Number own = cmsGetHeaderRenderingIntent(profile);
    return own <= INTENT_ABSOLUTE_COLORIMETRIC &&
                   cmsIsIntentSupported(profile, own, LCMS_USED_AS_INPUT)
               ? own
               : INTENT_PERCEPTUAL;
}

// Below this many pixels a second thread costs more than it saves.
constexpr qint64 PixelsWorthAThread = qint64(256) * 1024;
constexpr int MostThreads = 4;

// Runs `transform` over `height` lines, split between the processor's cores: a screen's worth of
// pixels takes some 13 ms on one. Without the cache of the last pixel (cmsFLAGS_NOCACHE) a
// transform may run on several threads at once. The parts go to the shared pool's threads (in
// the decoder helper, the ones it started before it confined itself); a part no thread is free
// for, or all of them on a thread of the pool, the calling thread does itself.
void transformLines(cmsHTRANSFORM transform, const uchar* in, uchar* out, int width, int height,
                    qsizetype inStride, qsizetype outStride) {
    const auto run = [=](int first, int count) {
        cmsDoTransformLineStride(transform, in + first * inStride, out + first * outStride,
                                 cmsUInt32Number(width), cmsUInt32Number(count),
                                 cmsUInt32Number(inStride), cmsUInt32Number(outStride), 0, 0);
    };
    const qint64 pixels = qint64(width) * height;
    const int parts = int(std::clamp<qint64>(
        pixels / PixelsWorthAThread, 1, qMax(1, qMin(MostThreads, QThread::idealThreadCount()))));
    QThreadPool* pool = QThreadPool::globalInstance();
    const bool shared = parts > 1 && !pool->contains(QThread::currentThread());
    // Shared with the parts, which may still be inside a release when this returns.
    const auto finished = std::make_shared<QSemaphore>();
    int handedOut = 0, done = 0;
    for (int part = 1; part < parts; ++part) {
        const int first = int(qint64(height) * part / parts);
        const int count = int(qint64(height) * (part + 1) / parts) - first;
        if (shared && pool->tryStart([run, first, count, finished] {
                run(first, count);
                finished->release();
            }))
            ++handedOut;
        else
            run(first, count);
        done += count;
    }
    run(0, height - done);
    finished->acquire(handedOut);
}

} // namespace

struct PictureColours::Transform {
    cmsContext context = nullptr;
    cmsHTRANSFORM transform = nullptr;
    ~Transform() {
        if (transform)
            cmsDeleteTransform(transform);
        if (context)
            cmsDeleteContext(context);
    }
};

PictureColours::PictureColours(const EmbeddedProfile& profile) {
    if (profile.kind != Kind::Icc && profile.kind != Kind::AdobeRgb)
        return;
    auto made = std::make_unique<Transform>();
    // A context of its own, with no plug-ins: nothing shared with other decodes, and the
    // library's messages go nowhere.
    made->context = cmsCreateContext(nullptr, nullptr);
    if (!made->context)
        return;
    cmsSetLogErrorHandlerTHR(made->context, silent);
    cmsHPROFILE from = sourceProfile(made->context, profile);
    if (!from)
        return;
    const Source source = describesPixels(from) ? sourceOf(from) : Source::None;
    cmsHPROFILE to = source == Source::None ? nullptr : cmsCreate_sRGBProfileTHR(made->context);
    if (to) {
        made->transform = cmsCreateTransformTHR(made->context, from, inputFormat(source), to, Rgb32,
                                                intentOf(from), cmsFLAGS_NOCACHE);
        cmsCloseProfile(to);
    }
    cmsCloseProfile(from);
    if (!made->transform)
        return;
    transform_ = std::move(made);
    source_ = source;
}

PictureColours::~PictureColours() = default;

QImage PictureColours::converted(QImage image) const {
    if ((source_ != Source::Rgb && source_ != Source::Grey) || image.isNull())
        return image;
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    if (source_ == Source::Grey && !image.isGrayscale())
        return image; // not what the profile describes
    image.convertTo(format);
    // In place: each pixel keeps four bytes, and the alpha (or padding) byte is left as it is.
    uchar* bits = image.bits();
    if (!bits)
        return {};
    transformLines(transform_->transform, bits, bits, image.width(), image.height(),
                   image.bytesPerLine(), image.bytesPerLine());
    return image;
}

QImage PictureColours::fromCmyk(const uchar* samples, QSize size, qsizetype bytesPerLine) const {
    if (source_ != Source::Cmyk || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(0xFF000000); // the padding byte the transform leaves alone
    transformLines(transform_->transform, samples, image.bits(), size.width(), size.height(),
                   bytesPerLine, image.bytesPerLine());
    return image;
}

void preparePictureColours() {
    // The library's own set-up (its default context, its locks, its optimisations) on a first
    // transform of each kind of pixels the helper converts.
    cmsSetLogErrorHandler(silent);
    const PictureColours rgb({EmbeddedProfile::Kind::AdobeRgb, {}});
    // Small enough for one thread: the decoder helper starts the threads it will split larger
    // pictures over itself, when it confines itself.
    QImage pixels(64, 64, QImage::Format_RGB32);
    pixels.fill(Qt::red);
    rgb.converted(pixels);
}
