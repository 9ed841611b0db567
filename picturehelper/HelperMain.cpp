#include "picturehelper/HelperMain.h"

#include "decoders/PictureColours.h"
#include "decoders/PictureFormats.h"
#include "helpers/Confinement.h"
#include "helpers/HelperLaunch.h"
#include "helpers/HelperLife.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

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

// The threads Qt's scaling and conversions and the colour conversion split their work over:
// the shared pool's, all started now and kept for good, since none can start once the helper is
// confined (the pool would lose a job it could not start a thread for). Each of the first jobs
// waits for all the others, so that each has a thread of its own.
void startPoolThreads() {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int count = std::clamp(QThread::idealThreadCount(), 1, confinement::MostThreads);
    pool->setExpiryTimeout(-1);
    pool->setMaxThreadCount(count);
    // Shared with the jobs, which may still be inside a release when this returns.
    struct Gates {
        QSemaphore started, go;
    };
    const auto gates = std::make_shared<Gates>();
    for (int i = 0; i < count; ++i) {
        pool->start([gates] {
            gates->started.release();
            gates->go.acquire();
        });
    }
    gates->started.acquire(count);
    gates->go.release(count);
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
    confinement::Options confine{HelperSocketFd, confinement::readableFiles(appFolder),
                                 options.landlockVersionAtMost};
    confine.startThreads = [] {
        startPoolThreads();
        endWithTheProgram(HelperSocketFd);
    };
    const confinement::Result confined = confinement::confineDecoder(confine);
    // A helper that cannot hold itself in decodes nothing.
    if (!confined.syscallFilter)
        return EXIT_FAILURE;
    return serveDecoder(HelperSocketFd, decode);
}
