#include "decoders/MetafileDecoder.h"

#include "decoders/EmfPlayer.h"
#include "decoders/WmfPicture.h"

#include <QtEndian>

namespace {

constexpr quint32 placeableWmfKey = 0x9AC6CDD7;
constexpr quint32 emfHeaderRecord = 1;
constexpr quint32 emfSignature = 0x464D4520; // " EMF"

} // namespace

MetafileKind metafileKind(const QByteArray& head) {
    if (head.size() < 4)
        return MetafileKind::None;
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const quint32 first = qFromLittleEndian<quint32>(bytes);
    if (first == placeableWmfKey)
        return MetafileKind::Wmf;
    if (head.size() >= 44 && first == emfHeaderRecord &&
        qFromLittleEndian<quint32>(bytes + 40) == emfSignature)
        return MetafileKind::Emf;
    // A WMF without the placeable header starts with its own header: type 1 or 2, size 9.
    if (head.size() >= 18) {
        const quint16 type = qFromLittleEndian<quint16>(bytes);
        const quint16 headerWords = qFromLittleEndian<quint16>(bytes + 2);
        const quint16 version = qFromLittleEndian<quint16>(bytes + 4);
        if ((type == 1 || type == 2) && headerWords == 9 &&
            (version == 0x0300 || version == 0x0100))
            return MetafileKind::Wmf;
    }
    return MetafileKind::None;
}

DecodedPicture decodeMetafile(const QByteArray& bytes, MetafileKind kind,
                              const ShownSizeFor& shownSize) {
    return kind == MetafileKind::Wmf ? decodeWmf(bytes, shownSize) : emf::decode(bytes, shownSize);
}
