#!/usr/bin/env bash
# Installs the Debian 12 packages Quirello needs to build, run and test.
# Does nothing when every package is already there.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config clang-format
  # the static analyser CI runs (scripts/tidy.sh)
  clang-tidy
  # windows, pictures, metafiles (their texts in fonts of
  # the same widths as Windows' Arial, Times New Roman, Courier New and Symbol)
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-svg-dev libgl-dev
  fonts-urw-base35
  # Wayland: Qt's platform plug-in; the screen kept on during the show (X's screen-saver
  # extension, the Wayland idle-inhibit protocol, Qt's native window interface)
  qt6-wayland libxss-dev libwayland-dev wayland-protocols qt6-base-private-dev
  # the metafile benchmark's baseline, the earlier conversion of WMF and EMF to SVG
  libwmf-dev libemf2svg-dev
  # the decoder helper's system-call allow-list
  libseccomp-dev
  # pictures' colour profiles: Little CMS, libjpeg for CMYK samples, zlib for PNG's profiles
  liblcms2-dev libjpeg-dev zlib1g-dev
  # Qt's own buttons and dialogs in Italian
  qt6-translations-l10n
  # sound: SDL's device in the program; libmpg123 (MP3) and fluidsynth with a General MIDI
  # soundfont (MIDI) in the sound process; SDL2_mixer only for the sound benchmark's baseline,
  # the engine that decoded in the program
  libsdl2-dev libmpg123-dev libfluidsynth-dev timgm6mb-soundfont libsdl2-mixer-dev
  # the launcher's opener
  xdg-utils
  # fonts for the Italian texts
  fonts-dejavu-core
  # tests: unit tests, a virtual display, screenshots, sound and picture makers
  libgtest-dev xvfb xauth xdotool x11-utils imagemagick sox libsox-fmt-mp3 lame espeak-ng procps
  python3
  # the colour tests' real profiles: Display P3 and ProPhoto, Adobe RGB, grey, CMYK
  argyll-ref colord-data icc-profiles-free libgs-common
  # tests: a Wayland compositor without a screen (weston's headless back end) and what a module
  # of the tests' own builds on to add the idle-inhibit protocol to it; a private session bus
  weston libweston-10-dev dbus
  # the Debian package and its checks: dependencies from the linked libraries, the icon's
  # sizes, lintian, the desktop entry's and the software-centre metadata's validators
  dpkg-dev file librsvg2-bin lintian desktop-file-utils appstream
  # hardening-check: the programs carry the hardening dpkg-buildflags gives
  devscripts
  # fuzzing: clang's libFuzzer and sanitizers
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
