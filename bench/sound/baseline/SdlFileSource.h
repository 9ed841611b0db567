#pragma once

#include <SDL2/SDL_rwops.h>

// The engine and players as they were in the program, for the benchmark's baseline.
class RegularFile;

namespace inprocess {

// An SDL stream reading the opened `file` from its start; it takes the file's descriptor over
// and closes it when the stream is closed. Nullptr when the file is not open, or the stream
// cannot be made.
SDL_RWops* sdlFileSource(RegularFile& file);

} // namespace inprocess
