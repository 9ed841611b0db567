#pragma once

#include <SDL2/SDL_rwops.h>

class RegularFile;

// An SDL stream reading the opened `file` from its start; it takes the file's descriptor over
// and closes it when the stream is closed. Nullptr when the file is not open, or the stream
// cannot be made.
SDL_RWops* sdlFileSource(RegularFile& file);
