#pragma once

#include <QString>

// The folder the panel opens on. A saved folder that is gone (deleted, or its volume no longer
// mounted) or cannot be entered silently gives way to the application folder. Both come and go
// with a trailing separator.
QString UsableShowFolder(const QString& showFolder, const QString& appFolder);

// Makes `folder` the current folder; when that fails, the application folder. Returns the
// folder that became current (with a trailing separator).
QString EnterShowFolder(const QString& folder, const QString& appFolder);
