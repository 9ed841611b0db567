// A weston module for the tests: the idle-inhibit protocol that weston up to version 10 lacks,
// recording how many inhibitors are alive (a line "inhibitors N" at each change, in the file
// $QUIRELLO_IDLE_LOG), and a keyboard that presses Q on the inhibited surface
// $QUIRELLO_IDLE_KEY_MS milliseconds after the first inhibitor came (0: never).
extern "C" {
#include <libweston/libweston.h>
}

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <linux/input-event-codes.h>
#include <wayland-server.h>

#include "idle-inhibit-unstable-v1-server-protocol.h"
// The protocol's interface tables (wayland-scanner's C), after the declarations above.
#include "idle-inhibit-unstable-v1-protocol.inc"

// What libweston exports for its back ends but does not declare in its public headers.
extern "C" {
void weston_seat_init(weston_seat* seat, weston_compositor* compositor, const char* name);
int weston_seat_init_keyboard(weston_seat* seat, struct xkb_keymap* keymap);
void notify_key(weston_seat* seat, const timespec* time, uint32_t key, wl_keyboard_key_state state,
                weston_key_state_update update);
}

namespace {

weston_seat Seat{};
int Alive = 0;
bool KeyScheduled = false;
wl_event_source* KeyTimer = nullptr;
weston_surface* Inhibited = nullptr;

void Record() {
    const char* path = std::getenv("QUIRELLO_IDLE_LOG");
    if (!path)
        return;
    if (FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "inhibitors %d\n", Alive);
        std::fclose(log);
    }
}

int PressQ(void*) {
    weston_keyboard* keyboard = weston_seat_get_keyboard(&Seat);
    if (keyboard && Inhibited) {
        weston_keyboard_set_focus(keyboard, Inhibited);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        notify_key(&Seat, &now, KEY_Q, WL_KEYBOARD_KEY_STATE_PRESSED, STATE_UPDATE_AUTOMATIC);
        notify_key(&Seat, &now, KEY_Q, WL_KEYBOARD_KEY_STATE_RELEASED, STATE_UPDATE_AUTOMATIC);
    }
    return 0;
}

void Destroy(wl_client*, wl_resource* resource) {
    wl_resource_destroy(resource);
}

void InhibitorGone(wl_resource* resource) {
    if (Inhibited == wl_resource_get_user_data(resource))
        Inhibited = nullptr;
    --Alive;
    Record();
}

const struct zwp_idle_inhibitor_v1_interface InhibitorRequests = {Destroy};

void CreateInhibitor(wl_client* client, wl_resource* manager, uint32_t id, wl_resource* surface) {
    wl_resource* inhibitor = wl_resource_create(client, &zwp_idle_inhibitor_v1_interface,
                                                wl_resource_get_version(manager), id);
    auto* shown = static_cast<weston_surface*>(wl_resource_get_user_data(surface));
    wl_resource_set_implementation(inhibitor, &InhibitorRequests, shown, InhibitorGone);
    Inhibited = shown;
    ++Alive;
    Record();
    const char* after = std::getenv("QUIRELLO_IDLE_KEY_MS");
    if (after && std::atoi(after) > 0 && !KeyScheduled) {
        KeyScheduled = true;
        wl_event_source_timer_update(KeyTimer, std::atoi(after));
    }
}

const struct zwp_idle_inhibit_manager_v1_interface ManagerRequests = {Destroy, CreateInhibitor};

void BindManager(wl_client* client, void*, uint32_t version, uint32_t id) {
    wl_resource* manager =
        wl_resource_create(client, &zwp_idle_inhibit_manager_v1_interface, version, id);
    wl_resource_set_implementation(manager, &ManagerRequests, nullptr, nullptr);
}

} // namespace

extern "C" WL_EXPORT int wet_module_init(weston_compositor* compositor, int*, char**) {
    if (!wl_global_create(compositor->wl_display, &zwp_idle_inhibit_manager_v1_interface, 1,
                          nullptr, BindManager))
        return -1;
    weston_seat_init(&Seat, compositor, "quirello-test");
    weston_seat_init_keyboard(&Seat, nullptr);
    KeyTimer =
        wl_event_loop_add_timer(wl_display_get_event_loop(compositor->wl_display), PressQ, nullptr);
    return 0;
}
