#include "decoders/EmfPlayer.h"

// EMF+ records ride in comment records beside the ordinary records that draw the same thing
// for readers without EMF+. The player draws the ordinary records; from EMF+ it takes what
// they cannot say: how see-through a filled colour is.
//
// LibreOffice (7.4) writes a see-through filled shape as an EMF+ polygon filled with a colour
// and its opacity, then the same shape as an ordinary fill of that colour made opaque. Its EMF+
// points are placed on its page rather than in the drawing (some twenty pixels off, the
// drawing's margin on its page), while the ordinary records are placed right: the shape is
// drawn where the ordinary records put it, as see-through as the EMF+ colour says.
namespace emf {

namespace {

constexpr quint16 plusFillPolygon = 0x400C;   // the one EMF+ record type read
constexpr quint32 plusSignature = 0x2B464D45; // "EMF+"
constexpr quint16 solidColourFlag = 0x8000;

} // namespace

void Player::comment(const Record& r) {
    if (r.u32(12) != plusSignature)
        return;
    // The comment's data, after its size, as far as the record holds it.
    const quint64 end = std::min<quint64>(12 + quint64(r.u32(8)), r.size());
    // The comment's EMF+ records: type, flags, size, data size, data.
    for (quint64 at = 16; at + 12 <= end && r.fits(quint32(at), 12);) {
        const quint16 type = r.u16(quint32(at)), flags = r.u16(quint32(at + 2));
        const quint32 size = r.u32(quint32(at + 4));
        if (type == plusFillPolygon && (flags & solidColourFlag) && r.fits(quint32(at + 12), 4)) {
            const quint32 argb = r.u32(quint32(at + 12));
            plusFill_ = QColor::fromRgba(argb);
        } else {
            plusFill_.reset();
        }
        if (size < 12)
            break;
        at += size;
    }
}

} // namespace emf
