#include "platform/gui/EmfPlayer.h"

#include <cmath>

namespace emf {

namespace {

enum : quint32 {
    setWindowExtEx = 9,
    setWindowOrgEx = 10,
    setViewportExtEx = 11,
    setViewportOrgEx = 12,
    setMapMode = 17,
    setBkMode = 18,
    setPolyFillMode = 19,
    setRop2 = 20,
    setTextAlign = 22,
    setTextColor = 24,
    setBkColor = 25,
    moveToEx = 27,
    scaleViewportExtEx = 31,
    scaleWindowExtEx = 32,
    saveDc = 33,
    restoreDc = 34,
    setWorldTransform = 35,
    modifyWorldTransform = 36,
    selectObject = 37,
    deleteObject = 40,
    selectPalette = 48,
    setArcDirection = 57,
    setMiterLimit = 58,
    setTextJustification = 120,
};

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
        if (r->type() == 14 || ++count > maxRecords)
            break;
        record(*r);
    }
    records_ = nullptr;
}

void Player::record(const Record& r) {
    state(r) || objects(r) || clipping(r) || shapes(r) || text(r) || bitmaps(r) || comment(r);
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

bool Player::state(const Record& r) {
    const QPointF p(r.s32(8), r.s32(12));
    switch (r.type()) {
    case setWindowExtEx:
    case setViewportExtEx:
        if (p.x() == 0 || p.y() == 0) // no unit maps to nothing
            return true;
        (r.type() == setWindowExtEx ? dc_.windowExt : dc_.viewportExt) = QSizeF(p.x(), p.y());
        return true;
    case setWindowOrgEx:
        dc_.windowOrg = p;
        return true;
    case setViewportOrgEx:
        dc_.viewportOrg = p;
        return true;
    case scaleWindowExtEx:
    case scaleViewportExtEx: {
        const double xNum = r.s32(8), xDen = r.s32(12), yNum = r.s32(16), yDen = r.s32(20);
        if (xNum == 0 || xDen == 0 || yNum == 0 || yDen == 0)
            return true;
        QSizeF& ext = r.type() == scaleWindowExtEx ? dc_.windowExt : dc_.viewportExt;
        const QSizeF scaled(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
        if (finite(scaled.width()) && finite(scaled.height()) && scaled.width() != 0 &&
            scaled.height() != 0)
            ext = scaled;
        return true;
    }
    case setMapMode: {
        const int mode = int(r.u32(8));
        if (mode < mmText || mode > mmAnisotropic)
            return true;
        // Leaving a fixed unit, the extents keep that unit until the file sets its own.
        if ((mode == mmIsotropic || mode == mmAnisotropic) && dc_.mapMode != mode &&
            dc_.mapMode != mmIsotropic && dc_.mapMode != mmAnisotropic) {
            const QTransform t = page();
            dc_.windowExt = QSizeF(1, 1);
            dc_.viewportExt = QSizeF(t.m11(), t.m22());
        }
        dc_.mapMode = mode;
        return true;
    }
    case setBkMode:
        dc_.opaqueBackground = r.u32(8) == 2;
        return true;
    case setPolyFillMode:
        dc_.fillRule = r.u32(8) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case setRop2:
        dc_.rop2 = int(r.u32(8));
        return true;
    case setTextAlign:
        dc_.textAlign = r.u32(8);
        return true;
    case setTextJustification:
        dc_.breakExtra = r.s32(8);
        dc_.breaks = r.s32(12);
        return true;
    case setTextColor:
        dc_.textColour = colorRef(r.u32(8));
        return true;
    case setBkColor:
        dc_.backgroundColour = colorRef(r.u32(8));
        return true;
    case moveToEx:
        dc_.position = p;
        if (inPath_)
            path_.moveTo(p);
        return true;
    case saveDc:
        if (saved_.size() < maxSaved)
            saved_.push_back(dc_);
        return true;
    case restoreDc: {
        // Negative: that many back; positive: the one saved in that place.
        const qint64 which = r.s32(8);
        const qint64 at = which < 0 ? qint64(saved_.size()) + which : which - 1;
        if (at < 0 || at >= qint64(saved_.size()))
            return true;
        dc_ = saved_[size_t(at)];
        saved_.resize(size_t(at));
        clipDirty_ = true;
        return true;
    }
    case setWorldTransform:
        dc_.world = xform(r, 8);
        return true;
    case modifyWorldTransform: {
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
        return true;
    }
    case setArcDirection:
        dc_.clockwise = r.u32(8) == 2;
        return true;
    case setMiterLimit:
        dc_.miterLimit = std::clamp(double(r.u32(8)), 1.0, 100.0);
        return true;
    default:
        return false;
    }
}

bool Player::objects(const Record& r) {
    if (r.type() == selectObject || r.type() == selectPalette) {
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
        return true;
    }
    if (r.type() == deleteObject) {
        const quint32 index = r.u32(8);
        if (index > 0 && index < objects_.size())
            objects_[index] = std::monostate{};
        return true;
    }
    std::optional<Object> created = createdObject(r);
    if (!created)
        return false;
    // Index 0 is the metafile itself; writers that undercount their handles are forgiven up to
    // the largest table the header can name.
    const quint32 index = createdIndex(r);
    if (index == 0 || index > 0xFFFF)
        return true;
    if (index >= objects_.size())
        objects_.resize(index + 1);
    objects_[index] = std::move(*created);
    return true;
}

} // namespace emf
