#pragma once

#include <QString>

// The application folder: the folder the program file lies in, with a trailing separator.
// PHOTO.INI, the launcher `start` and the help pages live there.
QString AppFolderOf(const QString& executableFolder);
