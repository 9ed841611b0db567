// The WMF player: the record walk, the frame, and every record drawn onto a picture of up to
// 256 x 256 pixels, as the decoder helper draws it.
#include "platform/gui/WmfPicture.h"

#include <cstdint>
#include <cstdlib>
#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv); // fonts need it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedPicture picture = decodeWmf(bytes, [](QSize natural) {
        return natural.scaled(256, 256, Qt::KeepAspectRatio).expandedTo({1, 1});
    });
    if (picture.ok() && (picture.image.width() > 256 || picture.image.height() > 256))
        __builtin_trap();
    return 0;
}
