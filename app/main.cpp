#include "app/QuirelloApp.h"
#include "startup/CommandLine.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quirello"));
    // The program ends through the panel only (its exits, or Esc): a /RUN show closing before
    // the panel is shown is not the end.
    QApplication::setQuitOnLastWindowClosed(false);
    QuirelloApp quirello(QCoreApplication::applicationDirPath(),
                         ArgumentText(QCoreApplication::arguments()));
    quirello.start();
    return QApplication::exec();
}
