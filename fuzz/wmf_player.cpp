// The WMF player: the record walk, the frame, and every record drawn onto a picture of up to
// 256 x 256 pixels, as the decoder helper draws it; and the EMF a WMF carries, drawn instead.
#include "decoders/WmfPicture.h"

#include <cstdint>
#include <cstdlib>
#include <QGuiApplication>

// Fontconfig, under Qt's font database, keeps what it found for each family a file names
// without a way back to it; that is the library's cache, not the player's memory.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Text needs the font database, which needs an application; it lives for the whole run
    // (taken down at the exit, its font caches would be left behind, reported as leaks).
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
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
