#pragma once

#include "picturehelper/DecoderServer.h"

// What a test build of the helper may change about its life; the shipped helper takes the
// defaults.
struct HelperOptions {
    int landlockVersionAtMost = 1000; // lower: confine as on an older kernel; 0: no Landlock
};

// The decoder helper's whole life: it checks it was started by the program (whose id is its
// argument) and dies with it; a window-less Qt application (fonts and image plug-ins but no
// display) that loads what it decodes with, confines itself, and serves the program on
// descriptor 3 with `decode`.
int runDecoderHelper(int argc, char** argv, const HelperDecode& decode,
                     const HelperOptions& options = {});
