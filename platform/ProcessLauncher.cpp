#include "platform/ProcessLauncher.h"

#include "core/FileLookup.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {
// An existing executable file for `path`: the exact name, else a case-insensitive match in the
// same folder ("START" finds "start").
QString executableAt(const QString& path) {
    const QString found = filelookup::findFile(path);
    if (found.isEmpty())
        return {};
    const QFileInfo info(found);
    return info.isFile() && info.isExecutable() ? found : QString();
}

// The one argument: the rest of the line with its surrounding double quotes taken off.
QString unquote(const QString& rest) {
    if (rest.size() >= 2 && rest.startsWith(u'"') && rest.endsWith(u'"'))
        return rest.mid(1, rest.size() - 2);
    return rest;
}
} // namespace

ProcessLauncher::ProcessLauncher(QString appFolder) : appFolder_(std::move(appFolder)) {}

QString ProcessLauncher::findProgram(const QString& word) const {
    if (word.isEmpty())
        return {};
    if (word.contains(u'/'))
        return executableAt(word);
    // A bare name: the program's own folder first, then the search path.
    if (!appFolder_.isEmpty()) {
        QString own = executableAt(QDir(appFolder_).filePath(word));
        if (!own.isEmpty())
            return own;
    }
    const QStringList searchPath =
        qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString& folder : searchPath) {
        QString found = executableAt(QDir(folder).filePath(word));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

ProcessLauncher::Command ProcessLauncher::resolve(const QString& commandLine) const {
    // The program is the first word. The application folder may itself hold blanks
    // ("/home/anna/Programmi utili/Quirello/START ..."), so when the first word is a path that
    // names nothing, the next blank is tried, and so on: the shortest prefix that names an
    // executable file wins.
    qsizetype end = commandLine.indexOf(u' ');
    while (true) {
        const QString word = end < 0 ? commandLine : commandLine.left(end);
        const QString program = findProgram(word);
        if (!program.isEmpty()) {
            Command command{program, {}};
            const QString rest = end < 0 ? QString() : commandLine.mid(end + 1);
            if (!rest.isEmpty())
                command.arguments.append(unquote(rest));
            return command;
        }
        if (end < 0 || !word.contains(u'/'))
            return {};
        end = commandLine.indexOf(u' ', end + 1);
    }
}

bool ProcessLauncher::run(const QString& commandLine, WindowStyle style) {
    // The window style (minimised or normal) cannot be imposed on another program's window
    // here: the desktop decides how the opened program shows itself. It is accepted and ignored.
    Q_UNUSED(style);
    const Command command = resolve(commandLine);
    if (command.program.isEmpty())
        return false;
    return QProcess::startDetached(command.program, command.arguments);
}
