#pragma once

#include <memory>
#include <QDBusConnection>
#include <QStringList>
#include <vector>

class QWindow;

// Keeps the screen from blanking or locking while it lives, by every means the desktop offers,
// and lets go when it goes:
// - "dbus": the desktop's screen saver (org.freedesktop.ScreenSaver on the session bus: GNOME,
//   KDE, Xfce, MATE, LXQt);
// - "x11": X's own screen saver and its display power management, suspended for the program's
//   connection to the X server (XScreenSaverSuspend): the server itself ends the suspension
//   when the connection closes, so a program that is killed leaves nothing held;
// - "wayland": an idle inhibitor on the window's surface (zwp_idle_inhibit_manager_v1: KWin,
//   the wlroots compositors, GNOME from 45), which the compositor drops with the connection too;
// - "portal": in a sandbox (Flatpak, Snap), the desktop portal's Inhibit of idleness.
// Whatever the desktop lacks (no session bus, no such service, a compositor without the
// protocol, the offscreen platform) is left out, and nothing fails.
class ScreenSaverInhibitor {
public:
    // `window` is the window that must stay on screen (shown already: Wayland needs its surface).
    explicit ScreenSaverInhibitor(QWindow* window,
                                  const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                  bool sandboxed = RunsSandboxed());
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
    ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

    // The means holding the screen on now, by the names above. A D-Bus request counts once the
    // desktop has answered it.
    QStringList holds() const;

    // Whether the program runs in a Flatpak or Snap sandbox.
    static bool RunsSandboxed();

    // One means of keeping the screen on; it lets go when destroyed.
    class Hold {
    public:
        virtual ~Hold() = default;
        virtual QString name() const = 0;
        virtual bool holding() const { return true; }
    };

private:
    std::vector<std::unique_ptr<Hold>> holds_;
};
