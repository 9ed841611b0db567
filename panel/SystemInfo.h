#pragma once

#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/Registry.h"

#include <QString>
#include <QStringList>

namespace sysinfo {

inline const QString Unavailable =
    QStringLiteral("Le informazioni sul sistema non sono disponibili in questa fase");

// Where the system's information tool is registered.
inline const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString ToolValue = QStringLiteral("PATH");
inline const QString FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
inline const QString FolderValue = QStringLiteral("MSINFO");
inline const QString ToolFile = QStringLiteral("MSINFO32.EXE");

// Installed system information programs looked for on the search path, in this order, when
// the registry names no tool.
inline const QStringList InstalledTools = {
    QStringLiteral("hardinfo2"),
    QStringLiteral("hardinfo"),
    QStringLiteral("kinfocenter"),
    QStringLiteral("lshw-gtk"),
    QStringLiteral("gnome-system-monitor"),
    QStringLiteral("mate-system-monitor"),
};

} // namespace sysinfo

// The "&System Info..." button: finds the system information tool and starts it.
class SystemInfo {
public:
    // `searchPath`: the folders looked in for an installed tool; empty for the PATH.
    SystemInfo(Registry& registry, Launcher& launcher, Dialogs& dialogs,
               QStringList searchPath = {});

    // The tool's command line, or the empty text when there is none.
    QString commandLine();
    // Starts the tool in a normal window, or says that it is unavailable.
    void StartSysInfo();

private:
    Registry& registry_;
    Launcher& launcher_;
    Dialogs& dialogs_;
    QStringList searchPath_;
};
