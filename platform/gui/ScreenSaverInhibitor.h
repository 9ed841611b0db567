#pragma once

#include <QDBusConnection>

// Keeps the screen from blanking or locking while it lives: the desktop's screen saver is asked
// (org.freedesktop.ScreenSaver over D-Bus) to hold off, and released when this object goes.
// Where there is no session bus or no such service, nothing happens and nothing fails.
class ScreenSaverInhibitor {
public:
    explicit ScreenSaverInhibitor(QDBusConnection bus = QDBusConnection::sessionBus());
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
    ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

    // True while the desktop holds our request.
    bool active() const { return active_; }

private:
    QDBusConnection bus_;
    quint32 cookie_ = 0;
    bool active_ = false;
};
