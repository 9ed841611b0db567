// The EMF player over whole files: the header and frame, every record drawn onto a small
// picture, and the measuring pass before it.
#include "platform/gui/EmfPlayer.h"

#include <cstdint>
#include <QGuiApplication>

// Fontconfig, under Qt's font database, keeps what it found for each family a file names
// without a way back to it; that is the library's cache, not the player's memory.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Text needs the font database, which needs an application; it lives for the whole run.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_emf_player";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedPicture p = emf::decode(bytes, [](QSize) { return QSize(96, 64); });
    if (p.ok() && p.image.size() != QSize(96, 64))
        __builtin_trap(); // drawn at the size asked for, whatever the file says
    return 0;
}
