#include "app/QuirelloApp.h"
#include "desktop/QtTranslations.h"
#include "startup/CommandLine.h"

#include <cstdio>
#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    // --help and --version answer on the terminal before any window system is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const std::optional<QString> answer = ConsoleAnswer(arguments)) {
        // An answer that could not be written (a full disk, a closed pipe) is a failure.
        const bool written =
            std::fputs(answer->toLocal8Bit().constData(), stdout) >= 0 && std::fflush(stdout) == 0;
        return written ? 0 : 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quirello"));
    // The menu entry quirello.desktop: Wayland's application id, and the window class
    // "Quirello" (StartupWMClass) on X11.
    QGuiApplication::setDesktopFileName(QStringLiteral("quirello"));
    // The program speaks Italian on every desktop: Qt's own buttons and dialogs too.
    LoadItalianQtTexts(app);
    // The program ends through the panel only (its exits, or Esc): a /RUN show closing before
    // the panel is shown is not the end.
    QApplication::setQuitOnLastWindowClosed(false);
    // Nor does the release of a background task's event-loop lock end it.
    QCoreApplication::setQuitLockEnabled(false);
    // A relative folder or picture on the command line is taken from the folder the program
    // was started in, before the panel's load makes another folder current.
    QuirelloApp quirello(QCoreApplication::applicationDirPath(), QCoreApplication::arguments(),
                         QDir::currentPath());
    if (const std::optional<int> ended = quirello.start())
        return *ended; // handed over to the program already running
    return QApplication::exec();
}
