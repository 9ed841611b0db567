#include "platform/gui/WmfPlayer.h"

// The object table: pens, brushes, fonts, palettes and regions made by the records, each in the
// lowest free slot, selected and deleted by their slot.

namespace wmf {

bool Player::objects(const Record& r) {
    const quint16 f = r.function();
    if (createsObject(f)) {
        Object object;
        bool read = false;
        switch (f) {
        case fn::createPenIndirect:
            object.kind = Object::isPen;
            read = readPen(r, object.pen, state_.palette);
            break;
        case fn::createBrushIndirect:
            object.kind = Object::isBrush;
            read = readBrush(r, object.brush, state_.palette);
            break;
        case fn::dibCreatePatternBrush:
        case fn::createPatternBrush:
            object.kind = Object::isBrush;
            read = readPatternBrush(r, object.brush);
            break;
        case fn::createFontIndirect:
            object.kind = Object::isFont;
            read = readFont(r, object.font);
            break;
        case fn::createPalette:
            object.kind = Object::isPalette;
            read = readPalette(r, object.palette);
            break;
        case fn::createRegion:
            object.kind = Object::isRegion;
            read = readRegion(r, object.region);
            break;
        default:
            break;
        }
        if (!read) {
            object = Object{};
            object.kind = Object::broken; // its slot is taken all the same
        }
        // The object takes the lowest free slot; a table fuller than the header said grows.
        qsizetype slot = firstFree_;
        const qsizetype count = qsizetype(objects_.size());
        while (slot < count && objects_[size_t(slot)].kind != Object::none)
            ++slot;
        if (slot == count) {
            if (count >= maxObjects)
                return true;
            objects_.emplace_back();
        }
        objects_[size_t(slot)] = std::move(object);
        firstFree_ = slot + 1;
        return true;
    }
    const qsizetype index = r.u16(0);
    Object* object =
        r.has(1) && index < qsizetype(objects_.size()) ? &objects_[size_t(index)] : nullptr;
    switch (f) {
    case fn::selectObject:
        if (!object)
            return true;
        switch (object->kind) {
        case Object::isPen:
            state_.pen = object->pen;
            break;
        case Object::isBrush:
            state_.brush = object->brush;
            break;
        case Object::isFont:
            state_.font = object->font;
            break;
        case Object::isRegion:
            selectClipRegion(&object->region);
            break;
        default:
            break;
        }
        return true;
    case fn::selectPalette:
        if (object && object->kind == Object::isPalette)
            state_.palette = object->palette;
        return true;
    case fn::deleteObject:
        if (object) {
            *object = Object{};
            firstFree_ = std::min(firstFree_, index);
        }
        return true;
    default:
        return false;
    }
}

} // namespace wmf
