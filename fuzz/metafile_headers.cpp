// What the program reads of a metafile itself before a converter sees it: the kind its first
// bytes tell and the EMF record walk.
#include "decoders/MetafileDecoder.h"
#include "decoders/MetafileHeaders.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const MetafileKind kind = metafileKind(bytes.left(metafileHeadSize));
    if (emfWellFormed(bytes) && kind != MetafileKind::Emf)
        __builtin_trap(); // a well-formed EMF is always recognised as one
    return 0;
}
