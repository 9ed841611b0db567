// What reaches the panel once it is up: a folder or picture from another start of the program
// or dropped onto it.
#include "panel/frmAbout.h"

#include "startup/CommandLine.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// The one local file or folder a drop carries, as a command line naming it ("" for anything
// else: several files, an address, text).
QStringList DroppedArguments(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls()[0].isLocalFile())
        return {};
    const QStringList arguments{QCoreApplication::applicationName(), data->urls()[0].toLocalFile()};
    return OpenRequestOf(arguments, QDir::rootPath()).folder.isEmpty() ? QStringList() : arguments;
}

} // namespace

void frmAbout::openArguments(const QStringList& arguments, const QString& startFolder) {
    // Nothing changes under an open show or message; the user is busy there.
    if (unloading_ || QApplication::activeModalWidget())
        return;
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    if (AsksForImmediateShow(ArgumentText(arguments))) {
        Inizializza();
        return;
    }
    const OpenRequest request = OpenRequestOf(arguments, startFolder);
    if (!request.folder.isEmpty())
        openNamed(request);
}

void frmAbout::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedArguments(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmAbout::dropEvent(QDropEvent* event) {
    const QStringList arguments = DroppedArguments(event->mimeData());
    if (arguments.isEmpty())
        return;
    event->acceptProposedAction();
    openArguments(arguments, QDir::rootPath());
}
