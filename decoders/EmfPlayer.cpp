#include "decoders/EmfPlayer.h"

#include <cmath>

namespace emf {

namespace {

// Saved device contexts kept at most: a file that only saves cannot grow the stack for ever.
constexpr size_t maxSaved = 4096;

// Millimetres per logical unit in the map modes with a fixed unit (y grows upwards in them).
double fixedUnitMm(int mode) {
    switch (mode) {
    case 2:
        return 0.1; // low metric
    case 3:
        return 0.01; // high metric
    case 4:
        return 0.254; // low English
    case 5:
        return 0.0254; // high English
    case 6:
        return 25.4 / 1440; // twips
    default:
        return 0;
    }
}

bool finite(double v) {
    return std::isfinite(v) && std::abs(v) < 1e9;
}

QTransform xform(const Record& r, quint32 at) {
    const double m[6] = {r.f32(at),      r.f32(at + 4),  r.f32(at + 8),
                         r.f32(at + 12), r.f32(at + 16), r.f32(at + 20)};
    for (double v : m)
        if (!finite(v))
            return {};
    return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

} // namespace

Player::Player(const Header& header, const Frame& frame, QPainter& painter, QSizeF size)
    : header_(header), painter_(&painter) {
    const double sx = size.width() / frame.device.width();
    const double sy = size.height() / frame.device.height();
    deviceToImage_ = QTransform::fromTranslate(-frame.device.left(), -frame.device.top()) *
                     QTransform::fromScale(sx, sy);
    deviceScale_ = std::sqrt(sx * sy);
    objects_.resize(std::max<quint32>(header.handles, 1));
}

Player::Player(const Header& header) : header_(header) {
    objects_.resize(std::max<quint32>(header.handles, 1));
}

QRectF Player::measure(const QByteArray& bytes, const Header& header) {
    Player p(header);
    p.play(bytes);
    return p.drawn_;
}

bool Player::painting(const QRectF& area) {
    if (painter_)
        return true;
    const QRectF device = toDevice().mapRect(area.normalized());
    if (std::isfinite(device.width()) && std::isfinite(device.height()))
        drawn_ = drawn_.isEmpty() ? device : drawn_.united(device);
    return false;
}

void Player::play(const QByteArray& bytes) {
    Records records(bytes);
    records_ = &records;
    int count = 0;
    while (const std::optional<Record> r = records.next()) {
        if (r->type() == emr::eof || ++count > maxRecords)
            break;
        record(*r);
    }
    records_ = nullptr;
}

QTransform Player::page() const {
    double sx = 1, sy = 1;
    QPointF windowOrg = dc_.windowOrg;
    if (const double mm = fixedUnitMm(dc_.mapMode); mm != 0) {
        sx = mm * 1000 * header_.devicePixels.width() / header_.deviceMicrometres.width();
        sy = -mm * 1000 * header_.devicePixels.height() / header_.deviceMicrometres.height();
    } else if (dc_.mapMode == mmIsotropic || dc_.mapMode == mmAnisotropic) {
        sx = dc_.viewportExt.width() / dc_.windowExt.width();
        sy = dc_.viewportExt.height() / dc_.windowExt.height();
        if (dc_.mapMode == mmIsotropic) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    }
    return QTransform(sx, 0, 0, sy, dc_.viewportOrg.x() - windowOrg.x() * sx,
                      dc_.viewportOrg.y() - windowOrg.y() * sy);
}

void Player::useLogical() {
    applyClip();
    painter_->setTransform(toDevice() * deviceToImage_);
}

namespace {

// An extent as the record gives it, or nothing when a side is zero: no unit maps to nothing.
std::optional<QSizeF> extentOf(const Record& r) {
    const QPointF p(r.point(8));
    if (p.x() == 0 || p.y() == 0)
        return std::nullopt;
    return QSizeF(p.x(), p.y());
}

} // namespace

void Player::setWindowExtEx(const Record& r) {
    if (const std::optional<QSizeF> ext = extentOf(r))
        dc_.windowExt = *ext;
}

void Player::setViewportExtEx(const Record& r) {
    if (const std::optional<QSizeF> ext = extentOf(r))
        dc_.viewportExt = *ext;
}

void Player::setWindowOrgEx(const Record& r) {
    dc_.windowOrg = QPointF(r.point(8));
}

void Player::setViewportOrgEx(const Record& r) {
    dc_.viewportOrg = QPointF(r.point(8));
}

void Player::scaleExtent(const Record& r) {
    const double xNum = r.s32(8), xDen = r.s32(12), yNum = r.s32(16), yDen = r.s32(20);
    if (xNum == 0 || xDen == 0 || yNum == 0 || yDen == 0)
        return;
    QSizeF& ext = r.type() == emr::scaleWindowExtEx ? dc_.windowExt : dc_.viewportExt;
    const QSizeF scaled(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
    if (finite(scaled.width()) && finite(scaled.height()) && scaled.width() != 0 &&
        scaled.height() != 0)
        ext = scaled;
}

void Player::setMapMode(const Record& r) {
    const int mode = int(r.u32(8));
    if (mode < mmText || mode > mmAnisotropic)
        return;
    // Leaving a fixed unit, the extents keep that unit until the file sets its own.
    if ((mode == mmIsotropic || mode == mmAnisotropic) && dc_.mapMode != mode &&
        dc_.mapMode != mmIsotropic && dc_.mapMode != mmAnisotropic) {
        const QTransform t = page();
        dc_.windowExt = QSizeF(1, 1);
        dc_.viewportExt = QSizeF(t.m11(), t.m22());
    }
    dc_.mapMode = mode;
}

void Player::setBkMode(const Record& r) {
    dc_.opaqueBackground = r.u32(8) == 2;
}

void Player::setPolyFillMode(const Record& r) {
    dc_.fillRule = r.u32(8) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
}

void Player::setRop2(const Record& r) {
    dc_.rop2 = int(r.u32(8));
}

void Player::setTextAlign(const Record& r) {
    dc_.textAlign = r.u32(8);
}

void Player::setTextJustification(const Record& r) {
    dc_.breakExtra = r.s32(8);
    dc_.breaks = r.s32(12);
}

void Player::setTextColor(const Record& r) {
    dc_.textColour = colorRef(r.u32(8));
}

void Player::setBkColor(const Record& r) {
    dc_.backgroundColour = colorRef(r.u32(8));
}

void Player::moveToEx(const Record& r) {
    const QPointF p(r.point(8));
    dc_.position = p;
    if (inPath_)
        path_.moveTo(p);
}

void Player::saveDc(const Record&) {
    if (saved_.size() < maxSaved)
        saved_.push_back(dc_);
}

void Player::restoreDc(const Record& r) {
    // Negative: that many back; positive: the one saved in that place.
    const qint64 which = r.s32(8);
    const qint64 at = which < 0 ? qint64(saved_.size()) + which : which - 1;
    if (at < 0 || at >= qint64(saved_.size()))
        return;
    dc_ = saved_[size_t(at)];
    saved_.resize(size_t(at));
    clipDirty_ = true;
}

void Player::setWorldTransform(const Record& r) {
    dc_.world = xform(r, 8);
}

void Player::modifyWorldTransform(const Record& r) {
    const QTransform x = xform(r, 8);
    switch (r.u32(32)) {
    case 1:
        dc_.world = QTransform();
        break;
    case 2: // applied before the current one
        dc_.world = x * dc_.world;
        break;
    case 3:
        dc_.world = dc_.world * x;
        break;
    case 4:
        dc_.world = x;
        break;
    }
}

void Player::setArcDirection(const Record& r) {
    dc_.clockwise = r.u32(8) == 2;
}

void Player::setMiterLimit(const Record& r) {
    dc_.miterLimit = std::clamp(double(r.u32(8)), 1.0, 100.0);
}

void Player::createPen(const Record& r) {
    keep(r, createdPen(r));
}

void Player::extCreatePen(const Record& r) {
    keep(r, createdExtPen(r));
}

void Player::createBrushIndirect(const Record& r) {
    keep(r, createdBrush(r));
}

void Player::createPatternBrush(const Record& r) {
    keep(r, createdPatternBrush(r));
}

void Player::extCreateFontIndirectW(const Record& r) {
    keep(r, createdFont(r));
}

void Player::createPalette(const Record& r) {
    keep(r, Palette{});
}

void Player::keep(const Record& r, Object created) {
    // Index 0 is the metafile itself; writers that undercount their handles are forgiven up to
    // the largest table the header can name.
    const quint32 index = r.u32(8);
    if (index == 0 || index > 0xFFFF)
        return;
    if (index >= objects_.size())
        objects_.resize(index + 1);
    objects_[index] = std::move(created);
}

void Player::selectObject(const Record& r) {
    const quint32 index = r.u32(8);
    const Object& o = index & 0x80000000        ? stockObject(index & 0x7FFFFFFF)
                      : index < objects_.size() ? objects_[index]
                                                : objects_[0];
    if (const auto* pen = std::get_if<Pen>(&o))
        dc_.pen = *pen;
    else if (const auto* brush = std::get_if<Brush>(&o))
        dc_.brush = *brush;
    else if (const auto* font = std::get_if<Font>(&o))
        dc_.font = *font;
}

void Player::deleteObject(const Record& r) {
    const quint32 index = r.u32(8);
    if (index > 0 && index < objects_.size())
        objects_[index] = std::monostate{};
}

} // namespace emf
