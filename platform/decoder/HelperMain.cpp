#include "platform/decoder/HelperMain.h"

#include "platform/decoder/Confinement.h"

#include <QGuiApplication>

int runDecoderHelper(int argc, char** argv, const HelperDecode& decode) {
    // Drawing metafile text needs Qt's fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    confinement::confineDecoder();
    return serveDecoder(3, decode);
}
