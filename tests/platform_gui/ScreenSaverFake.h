#pragma once

#include <QMutex>
#include <QObject>
#include <QStringList>

// A stand-in for the desktop's screen saver on a private bus: records the calls it gets.
class ScreenSaverFake : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls() const {
        QMutexLocker locker(&mutex_);
        return calls_;
    }

public Q_SLOTS:
    uint Inhibit(const QString& application, const QString& reason) {
        QMutexLocker locker(&mutex_);
        calls_ << QStringLiteral("Inhibit %1 / %2").arg(application, reason);
        return 42;
    }
    void UnInhibit(uint cookie) {
        QMutexLocker locker(&mutex_);
        calls_ << QStringLiteral("UnInhibit %1").arg(cookie);
    }

private:
    mutable QMutex mutex_;
    QStringList calls_;
};
