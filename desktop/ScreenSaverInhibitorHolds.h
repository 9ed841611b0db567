#pragma once

// The means the screen-saver inhibitor combines, one file each; each gives nothing where its
// window system or service is not there.
#include "desktop/ScreenSaverInhibitor.h"

std::unique_ptr<ScreenSaverInhibitor::Hold> HoldDesktopScreenSaver(const QDBusConnection& bus);
std::unique_ptr<ScreenSaverInhibitor::Hold> HoldPortalIdle(const QDBusConnection& bus,
                                                           QWindow* window);
std::unique_ptr<ScreenSaverInhibitor::Hold> HoldX11Saver();
std::unique_ptr<ScreenSaverInhibitor::Hold> HoldWaylandIdle(QWindow* window);
