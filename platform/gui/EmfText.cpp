#include "platform/gui/EmfPlayer.h"

#include <cmath>
#include <QFontMetricsF>

namespace emf {

namespace {

enum : quint32 { extTextOutA = 83, extTextOutW = 84, polyTextOutA = 96, polyTextOutW = 97 };
enum : quint32 { etoOpaque = 0x2, etoClipped = 0x4, etoGlyphIndex = 0x10, etoPdy = 0x2000 };
enum : quint32 { taUpdateCp = 1, taRight = 2, taCenter = 6, taBottom = 8, taBaseline = 24 };

// Longest string drawn from one record.
constexpr quint32 maxChars = 65536;
// Largest and smallest characters drawn, in pixels.
constexpr double maxFontPixels = 8192, minFontPixels = 0.3;

double length(QPointF v) {
    return std::hypot(v.x(), v.y());
}

} // namespace

bool Player::text(const Record& r) {
    switch (r.type()) {
    case extTextOutA:
    case extTextOutW:
        drawText(r, 36, r.type() == extTextOutW);
        return true;
    case polyTextOutA:
    case polyTextOutW: {
        const quint32 count = r.u32(36);
        for (quint32 i = 0; i < count && r.fits(40 + quint64(i) * 40, 40); ++i)
            drawText(r, 40 + i * 40, r.type() == polyTextOutW);
        return true;
    }
    default:
        return false;
    }
}

namespace {

// A family as the font database knows it: PostScript names carry the style after a hyphen
// ("Times-Roman", "Helvetica-BoldOblique"), and the kind of face guides the fallback.
QFont family(const Font& f) {
    // Some writers name a list of faces, the first found to be used.
    QStringList faces = f.face.split(u';', Qt::SkipEmptyParts);
    QString name = faces.isEmpty() ? QStringLiteral("Sans Serif") : faces.first().trimmed();
    bool bold = false, italic = false;
    if (const qsizetype dash = name.indexOf(u'-'); dash > 0) {
        const QString style = name.mid(dash + 1).toLower();
        bold = style.contains(u"bold");
        italic = style.contains(u"italic") || style.contains(u"oblique");
        name.truncate(dash);
    }
    QFont out(name);
    if (faces.size() > 1) {
        faces[0] = name;
        out.setFamilies(faces);
    }
    const QString lower = name.toLower();
    if (f.family == 0x10 || lower.contains(u"times") || lower.contains(u"roman") ||
        (lower.contains(u"serif") && !lower.contains(u"sans")))
        out.setStyleHint(QFont::Serif);
    else if (f.family == 0x30 || lower.contains(u"courier") || lower.contains(u"mono"))
        out.setStyleHint(QFont::TypeWriter);
    else
        out.setStyleHint(QFont::SansSerif);
    const int weight = f.weight == 0 ? 400 : f.weight;
    out.setWeight(QFont::Weight(std::clamp(bold ? std::max(weight, 700) : weight, 1, 1000)));
    out.setItalic(f.italic || italic);
    return out;
}

} // namespace

QFont Player::font(double& scale) const {
    // Sizes in logical units become pixels through the transform's vertical scale; the font
    // is made at whole pixels and `scale` stretches it the rest of the way.
    const QTransform t = toDevice() * deviceToImage_;
    const double vertical = length(t.map(QPointF(0, 1)) - t.map(QPointF(0, 0)));
    const Font& f = dc_.font;
    QFont out = family(f);
    out.setUnderline(f.underline);
    out.setStrikeOut(f.strikeOut);
    out.setKerning(false);
    double pixels = f.height == 0 ? 16 * deviceScale_ : std::abs(f.height) * vertical;
    if (f.height > 0) { // the cell's height: ascent and descent together
        out.setPixelSize(100);
        const QFontMetricsF m(out);
        pixels *= 100 / std::max(1.0, m.ascent() + m.descent());
    }
    if (!std::isfinite(pixels) || pixels < minFontPixels || pixels > maxFontPixels) {
        scale = 0;
        return out;
    }
    const int whole = std::max(1, int(std::lround(pixels)));
    out.setPixelSize(whole);
    scale = pixels / whole;
    if (f.width > 0) { // the characters' mean width, as a stretch of the face
        const double horizontal = length(t.map(QPointF(1, 0)) - t.map(QPointF(0, 0)));
        const double mean = QFontMetricsF(out).averageCharWidth();
        if (mean > 0)
            out.setStretch(int(
                std::lround(std::clamp(100 * f.width * horizontal / scale / mean, 1.0, 4000.0))));
    }
    return out;
}

void Player::drawText(const Record& r, quint32 at, bool wide) {
    if (drawsNothing())
        return;
    const QPointF reference = dc_.textAlign & taUpdateCp ? dc_.position : QPointF(r.point(at));
    const quint32 count = std::min(r.u32(at + 8), maxChars);
    const quint32 options = r.u32(at + 16);
    const QRectF box = r.rectF(at + 20);
    const QString s = r.text(r.u32(at + 12), count, wide);
    // Each character's advance in logical units (and its rise, with etoPdy).
    const quint32 step = options & etoPdy ? 8 : 4;
    const quint32 dxAt = r.u32(at + 36);
    std::vector<double> advances;
    if (dxAt != 0 && r.fits(dxAt, quint64(count) * step))
        for (quint32 i = 0; i < count; ++i)
            advances.push_back(r.s32(dxAt + i * step));

    if ((options & etoOpaque) && painting(box)) {
        useLogical();
        painter_->fillRect(box, dc_.backgroundColour);
    }
    double scale = 0;
    const QFont qfont = font(scale);
    // Glyph numbers of the writer's own font mean nothing in another font: better no text than
    // the wrong characters.
    if (s.isEmpty() || scale == 0 || (options & etoGlyphIndex))
        return;

    // Upright on the device whatever way the logical axes run, turned by the escapement.
    const QTransform t = toDevice() * deviceToImage_;
    const QPointF origin = t.map(reference);
    const QPointF xAxis = t.map(QPointF(1, 0)) - t.map(QPointF(0, 0));
    const double horizontal = length(xAxis);
    const double angle = std::atan2(xAxis.y(), xAxis.x()) * 180 / M_PI;
    const QTransform local = QTransform::fromTranslate(origin.x(), origin.y())
                                 .rotate(angle - dc_.font.escapement / 10)
                                 .scale(scale, scale);
    const QFontMetricsF metrics(qfont);
    if (advances.empty() && dc_.breaks > 0 && dc_.breakExtra != 0) {
        // The face's advances, and the justification's extra space shared out among the
        // spaces in whole units.
        qint32 breaksLeft = dc_.breaks, extraLeft = dc_.breakExtra;
        for (const QChar c : s) {
            double a = metrics.horizontalAdvance(c) * scale / std::max(horizontal, 1e-9);
            if (c == u' ' && breaksLeft > 0) {
                const qint32 share = extraLeft / breaksLeft--;
                extraLeft -= share;
                a += share;
            }
            advances.push_back(a);
        }
    }
    double width = 0;
    for (double a : advances)
        width += a * horizontal / scale;
    if (advances.empty())
        width = metrics.horizontalAdvance(s);
    double x = 0, y = 0;
    if ((dc_.textAlign & taCenter) == taCenter)
        x = -width / 2;
    else if (dc_.textAlign & taRight)
        x = -width;
    if ((dc_.textAlign & taBaseline) == taBaseline)
        y = 0;
    else if (dc_.textAlign & taBottom)
        y = -metrics.descent();
    else
        y = metrics.ascent();
    if (dc_.textAlign & taUpdateCp)
        dc_.position = reference + QPointF(width * scale / std::max(horizontal, 1e-9), 0);

    const QRectF covered(x, y - metrics.ascent(), width, metrics.height());
    if (!painter_) { // measuring: the image is the device
        painting(t.inverted().mapRect(local.mapRect(covered)));
        return;
    }
    useLogical();
    painter_->save();
    if (options & etoClipped)
        painter_->setClipRect(box, Qt::IntersectClip);
    painter_->setTransform(local);
    painter_->setFont(qfont);
    if (dc_.opaqueBackground && !(options & etoOpaque))
        painter_->fillRect(covered, dc_.backgroundColour);
    painter_->setPen(dc_.textColour);
    if (advances.empty()) {
        painter_->drawText(QPointF(x, y), s);
    } else {
        // Each character where the writer placed it.
        for (qsizetype i = 0; i < s.size(); ++i) {
            const bool pair = s[i].isHighSurrogate() && i + 1 < s.size();
            painter_->drawText(QPointF(x, y), s.mid(i, pair ? 2 : 1));
            x += advances[size_t(i)] * horizontal / scale;
            if (pair)
                x += advances[size_t(++i)] * horizontal / scale;
        }
    }
    painter_->restore();
    clipDirty_ = true;
}

} // namespace emf
