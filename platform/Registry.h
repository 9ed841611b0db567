#pragma once

#include <QString>

// The system's key/value store, where other programs say where their tools lie.
enum class RegistryRoot { LocalMachine, CurrentUser };

class Registry {
public:
    virtual ~Registry() = default;
    // Reads the value `valueName` of the key `keyPath` (sub keys separated by '\' or '/') under
    // `root` as text into `out`: a text as it is, a number as its decimal text; a value of any
    // other kind leaves `out` as it was. True when the key and the value were found; on failure
    // `out` is the empty text.
    virtual bool GetKeyValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                             QString& out) = 0;
};

// The store as an INI file read through QSettings, one section per key:
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   PATH=/usr/bin/hardinfo
//
// On Windows, the real registry.
class SettingsRegistry final : public Registry {
public:
    // The store in `iniFile`.
    explicit SettingsRegistry(QString iniFile);
    // The machine's own store: the system-wide file (on Linux /etc/xdg/Quirello/registro.ini).
    static QString systemFile();

    bool GetKeyValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                     QString& out) override;

private:
    QString iniFile_;
};
