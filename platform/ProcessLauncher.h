#pragma once

#include "platform/Launcher.h"

#include <QString>
#include <QStringList>

// The launcher behind Launcher: runs "program argument" command lines as detached processes,
// with an argument list, never through a shell, so nothing in the argument is interpreted.
class ProcessLauncher : public Launcher {
public:
    // `appFolder` is where bare program names are looked up first (the program's own folder).
    explicit ProcessLauncher(QString appFolder);

    bool run(const QString& commandLine, WindowStyle style) override;

    // How a command line splits into the program to run and its arguments (none, or the one
    // argument); an empty program when no such program exists. Kept apart for tests.
    struct Command {
        QString program;
        QStringList arguments;
    };
    Command resolve(const QString& commandLine) const;

private:
    QString findProgram(const QString& word) const;

    QString appFolder_;
};
