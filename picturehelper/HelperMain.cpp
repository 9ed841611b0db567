#include "picturehelper/HelperMain.h"

#include "decoders/PictureColours.h"
#include "decoders/PictureFormats.h"
#include "helpers/Confinement.h"
#include "helpers/HelperLaunch.h"
#include "helpers/HelperLife.h"

#include <cstdlib>
#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPainter>

namespace {

// Everything decoding loads from files, loaded before confining: the image plug-ins of the
// formats decoded, the font database with a face to draw metafile text with, and the colour
// library's set-up. Where Landlock is missing, no file can be opened afterwards.
void loadDecoders() {
    for (const QByteArray& format : pictureformats::decoded()) {
        QBuffer empty;
        empty.open(QIODevice::ReadOnly);
        QImageReader(&empty, format).canRead();
    }
    QFontDatabase::families();
    QImage scratch(32, 16, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.drawText(0, 12, QStringLiteral("Ag"));
    preparePictureColours();
}

} // namespace

int runDecoderHelper(int argc, char** argv, const HelperDecode& decode,
                     const HelperOptions& options) {
    if (!helperlife::diesWithTheProgram(argc, argv))
        return EXIT_FAILURE;
    helperlife::reportToProgram();
    // Drawing metafile text needs Qt's fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Qt's readers parse a picture's profile too, and complain of a damaged one; the program
    // reads and judges profiles itself, and a damaged one only leaves the picture untagged.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.icc.warning=false"));
    loadDecoders();
    const std::string appFolder = QFile::encodeName(app.applicationDirPath()).toStdString();
    const confinement::Result confined = confinement::confineDecoder(
        {HelperSocketFd, confinement::readableFiles(appFolder), options.landlockVersionAtMost});
    // A helper that cannot hold itself in decodes nothing.
    if (!confined.syscallFilter)
        return EXIT_FAILURE;
    return serveDecoder(HelperSocketFd, decode);
}
