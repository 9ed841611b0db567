#include "startup/CommandLine.h"

#include "catalogue/PictureTest.h"
#include "startup/ProgramVersion.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString Usage = QStringLiteral(
    "Uso: quirello [CARTELLA | IMMAGINE | /RUN]\n"
    "     quirello --help | --version\n"
    "\n"
    "Presentazione a tutto schermo delle foto di una cartella e delle sue cartelle figlie,\n"
    "con effetti di transizione, musica di sottofondo e commenti audio.\n"
    "\n"
    "  CARTELLA    apre il pannello su questa cartella\n"
    "  IMMAGINE    apre il pannello sulla cartella dell'immagine, con l'immagine\n"
    "              scelta nella lista e mostrata nell'anteprima\n"
    "  /RUN, RUN   avvia subito la presentazione con le impostazioni salvate\n"
    "  --help      mostra questo aiuto ed esce\n"
    "  --version   mostra la versione ed esce\n"
    "\n"
    "Le impostazioni stanno in PHOTO.INI nella cartella del programma; quando la cartella\n"
    "non si può scrivere, nella cartella di configurazione dell'utente\n"
    "(di solito ~/.config/Quirello/PHOTO.INI).\n");

} // namespace

QString ArgumentText(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool AsksForImmediateShow(const QString& argumentText) {
    const QString upper = argumentText.toUpper();
    return upper == QLatin1String("/RUN") || upper == QLatin1String("RUN");
}

OpenRequest OpenRequestOf(const QStringList& arguments, const QString& currentFolder) {
    if (arguments.size() != 2 || arguments[1].isEmpty() || AsksForImmediateShow(arguments[1]))
        return {};
    const QFileInfo named(QDir(currentFolder), arguments[1]);
    if (named.isDir())
        return {QDir::cleanPath(named.absoluteFilePath()), {}};
    if (named.isFile() && isPictureName(named.fileName()))
        return {QDir::cleanPath(named.absolutePath()), named.fileName()};
    return {};
}

std::optional<QString> ConsoleAnswer(const QStringList& arguments) {
    if (arguments.size() != 2)
        return std::nullopt;
    if (arguments[1] == QLatin1String("--help"))
        return Usage;
    if (arguments[1] == QLatin1String("--version"))
        return QStringLiteral("Quirello ") + ProgramVersion() + u'\n';
    return std::nullopt;
}
