#include "platform/Registry.h"

#include <QFileInfo>
#include <QMetaType>
#include <QSettings>
#include <QVariant>

namespace {
QString rootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                              : QStringLiteral("HKEY_CURRENT_USER");
}

QString slashed(QString path) {
    path.replace(u'\\', u'/');
    while (path.endsWith(u'/'))
        path.chop(1);
    while (path.startsWith(u'/'))
        path.remove(0, 1);
    return path;
}
} // namespace

SettingsRegistry::SettingsRegistry(QString iniFile) : iniFile_(std::move(iniFile)) {}

QString SettingsRegistry::systemFile() {
    return QSettings(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Quirello"),
                     QStringLiteral("registro"))
        .fileName();
}

bool SettingsRegistry::GetKeyValue(RegistryRoot root, const QString& keyPath,
                                   const QString& valueName, QString& out) {
    const QString key = slashed(keyPath);
#ifdef Q_OS_WIN
    QSettings store(rootName(root) + u'\\' + QString(key).replace(u'/', u'\\'),
                    QSettings::NativeFormat);
    const QString name = valueName;
#else
    // QSettings would quietly start an empty store for a missing file; a missing store is a
    // key that cannot be opened.
    if (!QFileInfo(iniFile_).isReadable()) {
        out.clear();
        return false;
    }
    QSettings store(iniFile_, QSettings::IniFormat);
    const QString name = rootName(root) + u'/' + key + u'/' + valueName;
#endif
    if (store.status() != QSettings::NoError || key.isEmpty() || !store.contains(name)) {
        out.clear();
        return false;
    }
    const QVariant value = store.value(name);
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        out = value.toString();
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
        out = QString::number(static_cast<qint32>(value.toInt()));
        break;
    default:
        break; // neither a text nor a 32-bit number: left as it was
    }
    return true;
}
