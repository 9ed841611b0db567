#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "support/LinkAndDialogFakes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFile>

namespace {

const QByteArray store = R"([HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
PATH=/usr/local/bin/info sistema
[HKEY_LOCAL_MACHINE\SOFTWARE\Numeri]
Negativo=@Variant(\0\0\0\x2\xff\xff\xff\xfe)
Elenco=uno, due
[HKEY_CURRENT_USER\SOFTWARE\Microsoft\Shared Tools\MSINFO]
PATH=/utente/strumento
)";

// Answers from a table, as the store would.
class TableRegistry final : public Registry {
public:
    QMap<QString, QString> values; // "key|value" -> text
    QStringList asked;
    bool GetKeyValue(RegistryRoot, const QString& key, const QString& name, QString& out) override {
        asked.append(key + u'|' + name);
        const auto it = values.find(key + u'|' + name);
        out = it == values.end() ? QString() : *it;
        return it != values.end();
    }
};

void makeExecutable(const QString& path) {
    testfiles::write(path, "#!/bin/sh\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
}

} // namespace

TEST(RegistryStore, ReadsTextAndNumbersAndFailsWithAnEmptyText) {
    testfiles::Sandbox box;
    testfiles::write(box.file("registro.ini"), store);
    SettingsRegistry registry(box.file("registro.ini"));
    struct Case {
        RegistryRoot root;
        QString key, value;
        bool found;
        QString text;
    };
    const Case cases[] = {
        {RegistryRoot::LocalMachine, sysinfo::ToolKey, "PATH", true, "/usr/local/bin/info sistema"},
        {RegistryRoot::LocalMachine, "SOFTWARE/Microsoft/Shared Tools/MSINFO/", "PATH", true,
         "/usr/local/bin/info sistema"},
        {RegistryRoot::CurrentUser, sysinfo::ToolKey, "PATH", true, "/utente/strumento"},
        {RegistryRoot::LocalMachine, "SOFTWARE\\Numeri", "Negativo", true, "-2"},
        {RegistryRoot::LocalMachine, "SOFTWARE\\Numeri", "Elenco", true, "prima"}, // unchanged
        {RegistryRoot::LocalMachine, sysinfo::ToolKey, "Manca", false, ""},
        {RegistryRoot::LocalMachine, sysinfo::FolderKey, "MSINFO", false, ""},
        {RegistryRoot::LocalMachine, "", "PATH", false, ""},
    };
    for (const Case& c : cases) {
        QString out = "prima";
        EXPECT_EQ(registry.GetKeyValue(c.root, c.key, c.value, out), c.found)
            << c.key.toStdString();
        EXPECT_EQ(out, c.text) << c.key.toStdString() << " " << c.value.toStdString();
    }
    SettingsRegistry missing(box.file("nessuno.ini"));
    QString out = "prima";
    EXPECT_FALSE(missing.GetKeyValue(RegistryRoot::LocalMachine, sysinfo::ToolKey, "PATH", out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(QFile::exists(box.file("nessuno.ini"))); // reading never creates the store
}

TEST(RegistrySystemInfo, FirstKeyIsRunAsItIsEvenWhenItsFileIsMissing) {
    TableRegistry registry;
    registry.values[sysinfo::ToolKey + "|PATH"] = "/non/esiste/msinfo32";
    registry.values[sysinfo::FolderKey + "|MSINFO"] = "/altrove";
    fakes::RecordingLauncher launcher;
    fakes::ScriptedDialogs dialogs;
    launcher.starts = false; // the file is missing, so the start fails
    SystemInfo(registry, launcher, dialogs, {"/nessuna/cartella"}).StartSysInfo();
    ASSERT_EQ(launcher.runs.size(), 1u);
    EXPECT_EQ(launcher.runs[0].commandLine, "/non/esiste/msinfo32");
    EXPECT_EQ(launcher.runs[0].style, WindowStyle::NormalFocus);
    EXPECT_EQ(dialogs.messages, QStringList({sysinfo::Unavailable}));
    EXPECT_EQ(registry.asked, QStringList({sysinfo::ToolKey + "|PATH"}));
}

TEST(RegistrySystemInfo, SecondKeyNeedsTheToolInItsFolderThenThePathIsSearched) {
    testfiles::Sandbox box;
    const QString tools = box.file("Strumenti");
    const QString bin = box.file("bin");
    struct Case {
        const char* why;
        bool withFolderKey, withTool, withInstalled;
        QString expected; // "" for the message
    };
    const Case cases[] = {
        {"tool in the registered folder", true, true, true, tools + "/MSINFO32.EXE"},
        {"registered folder without the tool, installed program", true, false, true,
         bin + "/kinfocenter"},
        {"registered folder without the tool, nothing installed", true, false, false, ""},
        {"no keys, nothing installed", false, false, false, ""},
        {"no keys, installed program", false, false, true, bin + "/kinfocenter"},
    };
    for (const Case& c : cases) {
        QFile::remove(tools + "/MSINFO32.EXE");
        QFile::remove(bin + "/kinfocenter");
        QFile::remove(bin + "/gnome-system-monitor");
        if (c.withTool)
            makeExecutable(tools + "/MSINFO32.EXE");
        else
            testfiles::write(tools + "/altro.exe");
        if (c.withInstalled) {
            makeExecutable(bin + "/gnome-system-monitor"); // later in the order of preference
            makeExecutable(bin + "/kinfocenter");
        }
        TableRegistry registry;
        if (c.withFolderKey)
            registry.values[sysinfo::FolderKey + "|MSINFO"] = tools;
        fakes::RecordingLauncher launcher;
        fakes::ScriptedDialogs dialogs;
        SystemInfo(registry, launcher, dialogs, {bin}).StartSysInfo();
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(launcher.runs.empty()) << c.why;
            EXPECT_EQ(dialogs.messages, QStringList({sysinfo::Unavailable})) << c.why;
        } else {
            EXPECT_EQ(launcher.commandLines(), QStringList({c.expected})) << c.why;
            EXPECT_TRUE(dialogs.messages.isEmpty()) << c.why;
        }
    }
}

TEST(RegistrySystemInfo, ToolFileNameIsFoundWithoutRegardToCase) {
    testfiles::Sandbox box;
    makeExecutable(box.file("msinfo32.exe"));
    TableRegistry registry;
    registry.values[sysinfo::FolderKey + "|MSINFO"] = box.path();
    fakes::RecordingLauncher launcher;
    fakes::ScriptedDialogs dialogs;
    SystemInfo(registry, launcher, dialogs, {box.file("vuota")}).StartSysInfo();
    EXPECT_EQ(launcher.commandLines(), QStringList({box.file("msinfo32.exe")}));
}
