#pragma once

#include "sounddecoders/PcmSource.h"

#include <memory>

// MP3 music from the open `file` (read from its start; the source keeps its own copy of the
// descriptor), decoded by libmpg123 a frame at a time. Null when no MPEG audio frame is found in
// it.
std::unique_ptr<PcmSource> openMp3(int file);
