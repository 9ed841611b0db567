# The Debian package: `cpack -G DEB` in the build folder gives quirello_<version>_<arch>.deb.
# The install rules (app/, resources/) say what goes in; this says what the package is.

set(CPACK_PACKAGE_NAME "quirello")
set(CPACK_PACKAGE_VENDOR "Quirello")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Quirello <autore@quirello.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "photo slide show with transitions, music and spoken comments")
# The long description in lines of at most 80 characters, as Debian's tools show it.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quirello shows the pictures of a folder and of its child folders full\n"
    "screen, one after the other, with animated transitions, the file name, a\n"
    "chosen or random background colour, each folder's MP3 or MIDI music and\n"
    "each picture's spoken comment. A control panel with an Italian interface\n"
    "sets the show, and previews, opens, renames and deletes the pictures.\n"
    "It reads JPEG, BMP, GIF, ICO, CUR, WMF and EMF pictures.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quirello.example/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link come from dpkg-shlibdeps (the sound process's libmpg123 and
# fluidsynth among them); these are what they load or run without linking: the X11 and Wayland
# window-system plug-ins, the extra picture formats, the MIDI soundfont the sound process loads,
# the opener behind `start`, the panel's fonts, the twins of the faces metafiles name (Times,
# Helvetica, Arial, Courier, Symbol) with the same widths, and Qt's Italian texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-wayland, qt6-image-formats-plugins, timgm6mb-soundfont, xdg-utils, "
    "fonts-dejavu-core, fonts-urw-base35, qt6-translations-l10n")

include(CPack)
