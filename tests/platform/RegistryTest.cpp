#include "platform/Registry.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFile>

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");

} // namespace

TEST(RegistryStore, ReadsTextAndNumbersAndFailsWithAnEmptyText) {
    testfiles::Sandbox box;
    testfiles::write(box.file("registro.ini"),
                     R"([HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
PATH=/usr/local/bin/info sistema
[HKEY_LOCAL_MACHINE\SOFTWARE\Numeri]
Negativo=@Variant(\0\0\0\x2\xff\xff\xff\xfe)
[HKEY_CURRENT_USER\SOFTWARE\Microsoft\Shared Tools\MSINFO]
PATH=/utente/strumento
)");
    SettingsRegistry registry(box.file("registro.ini"));
    SettingsRegistry missing(box.file("nessuno.ini"));
    const struct {
        SettingsRegistry& store;
        RegistryRoot root;
        QString key, value, text;
    } cases[] = {
        {registry, RegistryRoot::LocalMachine, ToolKey, "PATH", "/usr/local/bin/info sistema"},
        {registry, RegistryRoot::CurrentUser, ToolKey, "PATH", "/utente/strumento"},
        {registry, RegistryRoot::LocalMachine, "SOFTWARE\\Numeri", "Negativo", "-2"},
        {registry, RegistryRoot::LocalMachine, ToolKey, "Manca", ""},
        {missing, RegistryRoot::LocalMachine, ToolKey, "PATH", ""},
    };
    for (const auto& c : cases) {
        QString out = "prima";
        EXPECT_EQ(c.store.GetKeyValue(c.root, c.key, c.value, out), !c.text.isEmpty())
            << c.key.toStdString() << " " << c.value.toStdString();
        EXPECT_EQ(out, c.text) << c.key.toStdString() << " " << c.value.toStdString();
    }
    EXPECT_FALSE(QFile::exists(box.file("nessuno.ini"))); // reading never creates the store
}
