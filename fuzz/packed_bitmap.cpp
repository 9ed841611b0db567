// DIB and RLE files without a bitmap file header, as the decoder puts one in front.
#include "decoders/PackedBitmap.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray file = withBitmapFileHeader(bytes);
    if (!file.isEmpty() &&
        (file.size() != bytes.size() + 14 || !file.startsWith("BM") || file.mid(14) != bytes))
        __builtin_trap();
    return 0;
}
