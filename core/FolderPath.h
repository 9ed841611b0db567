#pragma once

#include <QString>

// A path with the native separator appended when it does not end with one. Every folder the
// program keeps (the application folder, the show folder) is kept this way.
QString WithTrailingSeparator(const QString& path);
