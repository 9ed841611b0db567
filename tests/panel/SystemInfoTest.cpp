#include "panel/SystemInfo.h"
#include "platform/Registry.h"
#include "support/Fakes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QMap>

namespace {

// Answers from a table, as the store would.
class TableRegistry final : public Registry {
public:
    QMap<QString, QString> values; // "key|value" -> text
    bool GetKeyValue(RegistryRoot, const QString& key, const QString& name, QString& out) override {
        out = values.value(key + u'|' + name);
        return values.contains(key + u'|' + name);
    }
};

void makeExecutable(const QString& path) {
    testfiles::write(path, "#!/bin/sh\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
}

} // namespace

// The first key is run as it is, even when its file is missing (then the message); the second
// needs the tool in its folder; then the search path.
const struct Lookup {
    const char* name;
    bool withToolKey, withFolderKey, withTool, withInstalled;
    QString expected; // in the sandbox, or the first key's; "" for none
} lookups[] = {
    {"first key, its file missing", true, true, true, true, "/non/esiste/msinfo32"},
    {"tool in the registered folder, in any case", false, true, true, true,
     "Strumenti/msinfo32.exe"},
    {"registered folder without the tool", false, true, false, true, "bin/kinfocenter"},
    {"no keys, installed program", false, false, false, true, "bin/kinfocenter"},
    {"no keys, nothing installed", false, false, false, false, ""},
};
TABLE_TEST(SystemInfoLookup, TheFirstKeyThenTheToolInTheSecondKeysFolderThenThePath, lookups) {
    const auto& c = GetParam();
    testfiles::Sandbox box;
    testfiles::write(box.file("Strumenti/altro.exe"));
    if (c.withTool)
        makeExecutable(box.file("Strumenti/msinfo32.exe"));
    if (c.withInstalled) {
        makeExecutable(box.file("bin/gnome-system-monitor")); // later in the order of preference
        makeExecutable(box.file("bin/kinfocenter"));
    }
    TableRegistry registry;
    if (c.withToolKey)
        registry.values[sysinfo::ToolKey + "|PATH"] = c.expected;
    if (c.withFolderKey)
        registry.values[sysinfo::FolderKey + "|MSINFO"] = box.file("Strumenti");
    fakes::RecordingLauncher launcher;
    launcher.starts = !c.withToolKey; // the first key's file is missing: it cannot start
    fakes::ScriptedDialogs dialogs;
    SystemInfo(registry, launcher, dialogs, {box.file("bin")}).StartSysInfo();
    const QString command = c.withToolKey ? c.expected : box.file(c.expected);
    EXPECT_EQ(launcher.commandLines, c.expected.isEmpty() ? QStringList() : QStringList{command});
    EXPECT_EQ(launcher.styles.value(0, WindowStyle::NormalFocus), WindowStyle::NormalFocus);
    EXPECT_EQ(dialogs.messages.size(), c.withToolKey || c.expected.isEmpty() ? 1 : 0);
    EXPECT_EQ(dialogs.messages.value(0, sysinfo::Unavailable), sysinfo::Unavailable);
}
