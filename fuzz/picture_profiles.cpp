// The colour profiles of pictures: the first byte chooses whether the rest is a picture file, whose
// profile (JPEG chunks, PNG iCCP, WebP ICCP, BMP V5, the EXIF mark of Adobe RGB) the program
// reads itself, or a profile as embedded; either is then parsed by Little CMS and applied to a
// few pixels of its kind, as the decoder helper does.
#include "decoders/EmbeddedProfile.h"
#include "decoders/PictureColours.h"

#include <cstdint>
#include <QBuffer>

namespace {

EmbeddedProfile readFromFile(const QByteArray& bytes) {
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    const EmbeddedProfile profile = embeddedProfile(file);
    if (profile.icc.size() > MaxProfileBytes ||
        (profile.kind == EmbeddedProfile::Kind::Icc) == profile.icc.isEmpty())
        __builtin_trap();
    return profile;
}

void apply(const EmbeddedProfile& profile) {
    const PictureColours colours(profile);
    const QSize size(7, 3);
    if (colours.source() == PictureColours::Source::Cmyk) {
        const uchar samples[7 * 3 * 4] = {0, 255, 128, 7, 200, 13, 64};
        if (colours.fromCmyk(samples, size, 7 * 4).size() != size)
            __builtin_trap();
        return;
    }
    QImage image(size, colours.source() == PictureColours::Source::Grey
                           ? QImage::Format_Grayscale8
                           : QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::darkCyan);
    const QImage converted = colours.converted(image);
    if (converted.size() != size || converted.hasAlphaChannel() != image.hasAlphaChannel())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    apply(data[0] % 2 == 0 ? readFromFile(bytes)
                           : EmbeddedProfile{EmbeddedProfile::Kind::Icc, bytes});
    return 0;
}
