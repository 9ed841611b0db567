#include "platform/decoder/HelperMain.h"

#include "platform/decoder/Confinement.h"
#include "platform/decoder/HelperLaunch.h"
#include "platform/decoder/Sanitizers.h"
#include "platform/gui/PictureColours.h"
#include "platform/gui/PictureFormats.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPainter>
#include <sys/prctl.h>
#include <unistd.h>

// The sanitizer runtime's own interface (the sanitizer build only); weak, so that the build
// without the runtime links.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime's name, not ours to choose.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// Leak checking stops every thread with ptrace from a child process, which the confined helper
// may not start; its helpers end with _exit anyway, so nothing would be checked.
extern "C" int __lsan_is_turned_off() {
    return 1;
}
#endif
#endif

namespace {

// Dies with the program, and only the program may have started it: its id is the argument.
bool diesWithTheProgram(int argc, char** argv) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    return argc >= 2 && QByteArray(argv[1]).toLongLong() == ::getppid();
}

// Under the sanitizers, reports go to the pipe the program reads: once confined, the helper
// could not create a report file.
void reportToProgram() {
    if (sanitizers::active && __sanitizer_set_report_fd && ::fcntl(HelperReportsFd, F_GETFD) >= 0)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(std::intptr_t(HelperReportsFd)));
}

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
    if (!diesWithTheProgram(argc, argv))
        return EXIT_FAILURE;
    reportToProgram();
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
