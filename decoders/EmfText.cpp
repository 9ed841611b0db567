#include "decoders/EmfPlayer.h"

#include <cmath>
#include <QFontMetricsF>

namespace emf {

namespace {

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

void Player::extTextOut(const Record& r) {
    drawText(r, 36, r.type() == emr::extTextOutW);
}

void Player::polyTextOut(const Record& r) {
    const quint32 count = r.u32(36);
    for (quint32 i = 0; i < count && r.fits(40 + quint64(i) * 40, 40); ++i)
        drawText(r, 40 + i * 40, r.type() == emr::polyTextOutW);
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

namespace {

// Each character's advance in logical units as the record at `at` gives them (every other
// number with etoPdy, which adds each one's rise), or none.
std::vector<double> givenAdvances(const Record& r, quint32 at, quint32 count, quint32 options) {
    const quint32 step = options & etoPdy ? 8 : 4;
    const quint32 dxAt = r.u32(at + 36);
    std::vector<double> advances;
    if (dxAt != 0 && r.fits(dxAt, quint64(count) * step))
        for (quint32 i = 0; i < count; ++i)
            advances.push_back(r.s32(dxAt + i * step));
    return advances;
}

// Where a run `width` wide starts from its reference point, in the font's pixels, as the
// alignment places it.
QPointF aligned(quint32 align, double width, const QFontMetricsF& metrics) {
    double x = 0, y = 0;
    if ((align & taCenter) == taCenter)
        x = -width / 2;
    else if (align & taRight)
        x = -width;
    if ((align & taBaseline) == taBaseline)
        y = 0;
    else if (align & taBottom)
        y = -metrics.descent();
    else
        y = metrics.ascent();
    return {x, y};
}

} // namespace

// A text record's string and how it is drawn: the font (at whole pixels, `scale` stretching it
// the rest of the way), and, in the font's pixels from the reference point, where it starts and
// what it covers.
struct Player::TextRun {
    QString text;
    quint32 options = 0;
    QRectF box;                   // the record's rectangle, in logical units
    std::vector<double> advances; // each character's, in logical units; none: the face's own
    QFont font;
    double scale = 0;
    double horizontal = 0; // image pixels per logical unit along the text
    QTransform toImage;    // logical units to the image
    QTransform local;      // the font's pixels to the image
    QPointF start;
    QRectF covered;
};

void Player::drawText(const Record& r, quint32 at, bool wide) {
    if (drawsNothing())
        return;
    const QPointF reference = dc_.textAlign & taUpdateCp ? dc_.position : QPointF(r.point(at));
    const quint32 count = std::min(r.u32(at + 8), maxChars);
    TextRun run;
    run.options = r.u32(at + 16);
    run.box = r.rectF(at + 20);
    run.text = r.text(r.u32(at + 12), count, wide);
    run.advances = givenAdvances(r, at, count, run.options);
    if ((run.options & etoOpaque) && painting(run.box)) {
        useLogical();
        painter_->fillRect(run.box, dc_.backgroundColour);
    }
    run.font = font(run.scale);
    // Glyph numbers of the writer's own font mean nothing in another font: better no text than
    // the wrong characters.
    if (run.text.isEmpty() || run.scale == 0 || (run.options & etoGlyphIndex))
        return;
    layOut(run, reference);
    if (!painter_) { // measuring: the image is the device
        painting(run.toImage.inverted().mapRect(run.local.mapRect(run.covered)));
        return;
    }
    paintText(run);
}

void Player::layOut(TextRun& run, QPointF reference) {
    // Upright on the device whatever way the logical axes run, turned by the escapement.
    run.toImage = toDevice() * deviceToImage_;
    const QTransform& t = run.toImage;
    const QPointF origin = t.map(reference);
    const QPointF xAxis = t.map(QPointF(1, 0)) - t.map(QPointF(0, 0));
    const double horizontal = run.horizontal = length(xAxis);
    const double scale = run.scale;
    const double angle = std::atan2(xAxis.y(), xAxis.x()) * 180 / M_PI;
    run.local = QTransform::fromTranslate(origin.x(), origin.y())
                    .rotate(angle - dc_.font.escapement / 10)
                    .scale(scale, scale);
    const QFontMetricsF metrics(run.font);
    if (run.advances.empty() && dc_.breaks > 0 && dc_.breakExtra != 0) {
        // The face's advances, and the justification's extra space shared out among the
        // spaces in whole units.
        qint32 breaksLeft = dc_.breaks, extraLeft = dc_.breakExtra;
        for (const QChar c : run.text) {
            double a = metrics.horizontalAdvance(c) * scale / std::max(horizontal, 1e-9);
            if (c == u' ' && breaksLeft > 0) {
                const qint32 share = extraLeft / breaksLeft--;
                extraLeft -= share;
                a += share;
            }
            run.advances.push_back(a);
        }
    }
    double width = 0;
    for (double a : run.advances)
        width += a * horizontal / scale;
    if (run.advances.empty())
        width = metrics.horizontalAdvance(run.text);
    run.start = aligned(dc_.textAlign, width, metrics);
    if (dc_.textAlign & taUpdateCp)
        dc_.position = reference + QPointF(width * scale / std::max(horizontal, 1e-9), 0);
    run.covered = QRectF(run.start.x(), run.start.y() - metrics.ascent(), width, metrics.height());
}

void Player::paintText(const TextRun& run) {
    useLogical();
    painter_->save();
    if (run.options & etoClipped)
        painter_->setClipRect(run.box, Qt::IntersectClip);
    painter_->setTransform(run.local);
    painter_->setFont(run.font);
    if (dc_.opaqueBackground && !(run.options & etoOpaque))
        painter_->fillRect(run.covered, dc_.backgroundColour);
    painter_->setPen(dc_.textColour);
    const QString& s = run.text;
    double x = run.start.x();
    const double y = run.start.y();
    if (run.advances.empty()) {
        painter_->drawText(QPointF(x, y), s);
    } else {
        // Each character where the writer placed it.
        for (qsizetype i = 0; i < s.size(); ++i) {
            const bool pair = s[i].isHighSurrogate() && i + 1 < s.size();
            painter_->drawText(QPointF(x, y), s.mid(i, pair ? 2 : 1));
            x += run.advances[size_t(i)] * run.horizontal / run.scale;
            if (pair)
                x += run.advances[size_t(++i)] * run.horizontal / run.scale;
        }
    }
    painter_->restore();
    clipDirty_ = true;
}

} // namespace emf
