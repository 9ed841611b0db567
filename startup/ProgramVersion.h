#pragma once

#include <QString>

// The program's version as major.minor.revision (3.2.0), as the panel and --version show it.
inline QString ProgramVersion() {
    return QStringLiteral("%1.%2.%3")
        .arg(QUIRELLO_VERSION_MAJOR)
        .arg(QUIRELLO_VERSION_MINOR)
        .arg(QUIRELLO_VERSION_PATCH);
}
