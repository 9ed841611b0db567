#pragma once

#include "platform/decoder/DecoderServer.h"

// The decoder helper's whole life: a window-less Qt application (fonts and image plug-ins but
// no display), confined, serving the program on descriptor 3 with `decode`.
int runDecoderHelper(int argc, char** argv, const HelperDecode& decode);
