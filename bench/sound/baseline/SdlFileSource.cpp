#include "baseline/SdlFileSource.h"

#include "core/RegularFile.h"

#include <cstdio>
#include <unistd.h>

namespace inprocess {

SDL_RWops* sdlFileSource(RegularFile& file) {
    const int fd = file.release();
    if (fd < 0)
        return nullptr;
    FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) {
        ::close(fd);
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(stream, SDL_TRUE);
    if (source == nullptr)
        std::fclose(stream);
    return source;
}

} // namespace inprocess
