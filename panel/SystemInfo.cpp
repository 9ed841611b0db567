#include "panel/SystemInfo.h"

#include "core/FileLookup.h"
#include "core/FolderPath.h"

#include <QStandardPaths>

SystemInfo::SystemInfo(Registry& registry, Launcher& launcher, Dialogs& dialogs,
                       QStringList searchPath)
    : registry_(registry), launcher_(launcher), dialogs_(dialogs),
      searchPath_(std::move(searchPath)) {}

QString SystemInfo::commandLine() {
    QString text;
    // The registered tool is taken as it is: whether it exists shows when it is started.
    if (registry_.GetKeyValue(RegistryRoot::LocalMachine, sysinfo::ToolKey, sysinfo::ToolValue,
                              text) &&
        !text.isEmpty())
        return text;
    text.clear();
    if (registry_.GetKeyValue(RegistryRoot::LocalMachine, sysinfo::FolderKey, sysinfo::FolderValue,
                              text) &&
        !text.isEmpty()) {
        QString tool = filelookup::findFile(WithTrailingSeparator(text) + sysinfo::ToolFile);
        if (!tool.isEmpty())
            return tool;
    }
    for (const QString& name : sysinfo::InstalledTools) {
        QString found = QStandardPaths::findExecutable(name, searchPath_);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

void SystemInfo::StartSysInfo() {
    const QString command = commandLine();
    if (command.isEmpty() || !launcher_.run(command, WindowStyle::NormalFocus))
        dialogs_.message(sysinfo::Unavailable);
}
