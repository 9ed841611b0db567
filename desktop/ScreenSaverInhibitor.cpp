#include "desktop/ScreenSaverInhibitor.h"

#include "desktop/ScreenSaverInhibitorHolds.h"

#include <QFileInfo>

ScreenSaverInhibitor::ScreenSaverInhibitor(QWindow* window, const QDBusConnection& bus,
                                           bool sandboxed) {
    const auto add = [this](std::unique_ptr<Hold> hold) {
        if (hold)
            holds_.push_back(std::move(hold));
    };
    add(HoldDesktopScreenSaver(bus));
    if (sandboxed)
        add(HoldPortalIdle(bus, window));
    add(HoldX11Saver());
    add(HoldWaylandIdle(window));
}

ScreenSaverInhibitor::~ScreenSaverInhibitor() = default;

QStringList ScreenSaverInhibitor::holds() const {
    QStringList names;
    for (const std::unique_ptr<Hold>& hold : holds_)
        if (hold->holding())
            names << hold->name();
    return names;
}

bool ScreenSaverInhibitor::RunsSandboxed() {
    return QFileInfo::exists(QStringLiteral("/.flatpak-info")) ||
           !qEnvironmentVariableIsEmpty("SNAP");
}
