#!/usr/bin/env bash
# Builds Quirello and starts it from its application folder, build/Quirello/.
#
# On a machine without a display (neither DISPLAY nor WAYLAND_DISPLAY set) it plays the show on
# a virtual display instead: `quirello /RUN` for a few seconds, a screenshot of the show, a key
# to end it, a screenshot of the panel; the pictures land in build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
app="$root/build/Quirello"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    cd "$app"
    exec ./quirello "$@"
fi

shots="$root/build/screenshots"
mkdir -p "$shots"

# The first display number nobody uses.
display=""
for n in $(seq 90 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "No free display number for Xvfb." >&2; exit 1; }

xvfb_pid=""
quirello_pid=""
cleanup() {
    [ -n "$quirello_pid" ] && kill "$quirello_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

echo "No display found: playing the demo show on the virtual display $display."
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done
export DISPLAY="$display"

cd "$app"
# No sound card on such a machine, as a rule: the show runs silent.
SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" ./quirello /RUN &
quirello_pid=$!

# The title screen stays one interval (5 seconds unless PHOTO.INI says otherwise), then the
# pictures follow.
sleep 9
kill -0 "$quirello_pid" 2>/dev/null || { echo "Quirello ended before the show could be seen." >&2; exit 1; }
import -window root "$shots/show.png"

# Any key ends the show; the panel comes up.
xdotool key space
sleep 2
import -window root "$shots/panel.png"

kill "$quirello_pid" 2>/dev/null || true
wait "$quirello_pid" 2>/dev/null || true
quirello_pid=""

echo "Screenshots of the show and of the control panel saved in $shots/:"
echo "  $shots/show.png"
echo "  $shots/panel.png"
