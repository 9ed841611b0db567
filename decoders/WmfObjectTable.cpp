#include "decoders/WmfPlayer.h"

// The object table: pens, brushes, fonts, palettes and regions made by the records, each in the
// lowest free slot, selected and deleted by their slot.

namespace wmf {

void Player::createPenIndirect(const Record& r) {
    Object object;
    object.kind = Object::isPen;
    const bool read = readPen(r, object.pen, state_.palette);
    keep(std::move(object), read);
}

void Player::createBrushIndirect(const Record& r) {
    Object object;
    object.kind = Object::isBrush;
    const bool read = readBrush(r, object.brush, state_.palette);
    keep(std::move(object), read);
}

void Player::createPatternBrush(const Record& r) {
    Object object;
    object.kind = Object::isBrush;
    const bool read = readPatternBrush(r, object.brush);
    keep(std::move(object), read);
}

void Player::createFontIndirect(const Record& r) {
    Object object;
    object.kind = Object::isFont;
    const bool read = readFont(r, object.font);
    keep(std::move(object), read);
}

void Player::createPalette(const Record& r) {
    Object object;
    object.kind = Object::isPalette;
    const bool read = readPalette(r, object.palette);
    keep(std::move(object), read);
}

void Player::createRegion(const Record& r) {
    Object object;
    object.kind = Object::isRegion;
    const bool read = readRegion(r, object.region);
    keep(std::move(object), read);
}

void Player::keep(Object object, bool read) {
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
            return;
        objects_.emplace_back();
    }
    objects_[size_t(slot)] = std::move(object);
    firstFree_ = slot + 1;
}

Object* Player::slotOf(const Record& r) {
    const qsizetype index = r.u16(0);
    return r.has(1) && index < qsizetype(objects_.size()) ? &objects_[size_t(index)] : nullptr;
}

void Player::selectObject(const Record& r) {
    Object* object = slotOf(r);
    if (!object)
        return;
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
        selectClip(&object->region);
        break;
    default:
        break;
    }
}

void Player::selectPalette(const Record& r) {
    if (const Object* object = slotOf(r); object && object->kind == Object::isPalette)
        state_.palette = object->palette;
}

void Player::deleteObject(const Record& r) {
    if (Object* object = slotOf(r)) {
        *object = Object{};
        firstFree_ = std::min(firstFree_, qsizetype(r.u16(0)));
    }
}

} // namespace wmf
