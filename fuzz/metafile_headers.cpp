// What the program reads of a metafile itself: the kind its first bytes tell, the EMF record
// walk and the placeable WMF frame.
#include "platform/gui/MetafileDecoder.h"
#include "platform/gui/MetafileHeaders.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const MetafileKind kind = metafileKind(bytes.left(metafileHeadSize));
    if (emfWellFormed(bytes) && kind != MetafileKind::Emf)
        __builtin_trap(); // a well-formed EMF is always recognised as one
    const QRectF frame = wmfPlaceableFrame(bytes);
    if (!frame.isEmpty() && (!qIsFinite(frame.left()) || !qIsFinite(frame.top()) ||
                             !qIsFinite(frame.width()) || !qIsFinite(frame.height())))
        __builtin_trap();
    return 0;
}
