// X's own screen saver, on the program's connection to the X server. Only on the xcb platform;
// elsewhere (Wayland, offscreen) there is no X connection and nothing is done.
#include "desktop/ScreenSaverInhibitorHolds.h"

#include <QGuiApplication>

#include <X11/extensions/scrnsaver.h>
#include <X11/Xlib.h>

namespace {

// XScreenSaverSuspend stops the server's one timer that runs both the screen saver and display
// power management (blanking, standby, off), without changing their settings; the server ends
// the suspension when the connection closes, however the program ends. Turning power
// management off with DPMSDisable instead would outlive a killed program and leave the screen
// on for good.
class X11SaverHold final : public ScreenSaverInhibitor::Hold {
public:
    explicit X11SaverHold(Display* display) : display_(display) {
        XScreenSaverSuspend(display_, True);
        XFlush(display_);
    }
    ~X11SaverHold() override {
        XScreenSaverSuspend(display_, False);
        XFlush(display_);
    }
    X11SaverHold(const X11SaverHold&) = delete;
    X11SaverHold& operator=(const X11SaverHold&) = delete;
    QString name() const override { return QStringLiteral("x11"); }

private:
    Display* display_;
};

} // namespace

std::unique_ptr<ScreenSaverInhibitor::Hold> HoldX11Saver() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return nullptr;
    // The suspension came with version 1.1 of the extension (every X server since 2006).
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XScreenSaverQueryExtension(display, &event, &error) ||
        !XScreenSaverQueryVersion(display, &major, &minor) || major * 100 + minor < 101)
        return nullptr;
    return std::make_unique<X11SaverHold>(display);
}
