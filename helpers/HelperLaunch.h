#pragma once

#include "helpers/UniqueFd.h"

#include <optional>
#include <QByteArray>
#include <QString>
#include <sys/types.h>

// A decoder helper started as a stranger to the program's terminal and descriptors: in a
// session of its own, standard input and output on /dev/null, standard error on a pipe the
// program reads (`messages`), its socket as descriptor 3 and nothing else; under the
// sanitizers, their reports on a second pipe as descriptor 4 (`reports`). It is started from
// one thread that lives as long as the program, and ends when that thread's process does
// (the helper asks for that itself, and checks the program's id given as its argument).
struct LaunchedHelper {
    pid_t pid = -1;
    UniqueFd socket;
    UniqueFd messages;
    UniqueFd reports;
};

// Null when the helper cannot be started. `role`, when given, follows the program's id on the
// helper's command line.
std::optional<LaunchedHelper> launchHelper(const QString& program, const QByteArray& role = {});

// The descriptor the helper finds the program's socket on, and its sanitizers' reports pipe.
constexpr int HelperSocketFd = 3;
constexpr int HelperReportsFd = 4;
