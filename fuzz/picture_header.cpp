// The size a picture's first bytes claim, which the program reads itself to bound its helper's
// time: never read past the bytes, never a size of nothing or beyond the cap.
#include "helpers/TimeLimits.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QSize claimed = timelimits::headerSize(bytes.left(timelimits::HeaderBytes));
    if (claimed.isValid() &&
        (claimed.isEmpty() || claimed.width() > (1 << 30) || claimed.height() > (1 << 30)))
        __builtin_trap();
    return 0;
}
