// The compositor's idle inhibitor on the show window's surface. Only on the wayland platform;
// the objects are made on a queue of our own, so that Qt's event thread never sees them.
#include "desktop/ScreenSaverInhibitorHolds.h"

#include <cstring>
#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>
#include <QWindow>

#include <wayland-client.h>

#include "idle-inhibit-unstable-v1-client-protocol.h"
// The protocol's interface tables (wayland-scanner's C code, written as .inc), compiled here
// after their declarations above, which give them the linkage the header promises.
#include "idle-inhibit-unstable-v1-protocol.inc"

namespace {

struct Globals {
    zwp_idle_inhibit_manager_v1* manager = nullptr;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t /*version*/) {
    auto* found = static_cast<Globals*>(data);
    if (!found->manager && std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) == 0)
        found->manager = static_cast<zwp_idle_inhibit_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
}

void GlobalRemoved(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener = {Global, GlobalRemoved};

// The compositor keeps the session from going idle while the surface is seen; the inhibitor
// goes with the hold, or with the connection when the program ends.
class WaylandIdleHold final : public ScreenSaverInhibitor::Hold {
public:
    WaylandIdleHold(wl_display* display, wl_event_queue* queue,
                    zwp_idle_inhibit_manager_v1* manager, wl_surface* surface)
        : display_(display), queue_(queue), manager_(manager),
          inhibitor_(zwp_idle_inhibit_manager_v1_create_inhibitor(manager, surface)) {
        wl_display_flush(display_);
    }
    ~WaylandIdleHold() override {
        zwp_idle_inhibitor_v1_destroy(inhibitor_);
        zwp_idle_inhibit_manager_v1_destroy(manager_);
        wl_display_flush(display_);
        wl_event_queue_destroy(queue_);
    }
    WaylandIdleHold(const WaylandIdleHold&) = delete;
    WaylandIdleHold& operator=(const WaylandIdleHold&) = delete;
    QString name() const override { return QStringLiteral("wayland"); }

private:
    wl_display* display_;
    wl_event_queue* queue_;
    zwp_idle_inhibit_manager_v1* manager_;
    zwp_idle_inhibitor_v1* inhibitor_;
};

} // namespace

std::unique_ptr<ScreenSaverInhibitor::Hold> HoldWaylandIdle(QWindow* window) {
    if (!window || QGuiApplication::platformName() != QLatin1String("wayland"))
        return nullptr;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native)
        return nullptr;
    auto* display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
    if (!display || !surface)
        return nullptr;

    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue);
    wl_registry* registry = wl_display_get_registry(wrapped);
    wl_proxy_wrapper_destroy(wrapped);
    Globals found;
    wl_registry_add_listener(registry, &RegistryListener, &found);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
    if (!found.manager) { // a compositor without the protocol (weston up to version 10)
        wl_event_queue_destroy(queue);
        return nullptr;
    }
    return std::make_unique<WaylandIdleHold>(display, queue, found.manager, surface);
}
