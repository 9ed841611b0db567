#include "decoders/WmfPlayer.h"

#include <cmath>
#include <QFontMetricsF>
#include <QStringDecoder>

// Text: the font the file describes, found through the system's font substitution, at the
// size, angle and alignment the records give.

namespace wmf {

namespace {

enum TextAlign { updateCP = 1, right = 2, center = 6, bottom = 8, baseline = 24 };
enum TextOptions { opaque = 2, clipped = 4 };

// Letters are laid out at least this many pixels high and scaled to their size, so small
// letters keep their proportions instead of snapping to whole pixels.
constexpr double layoutPixels = 64;

// The Windows character sets with a code page of their own.
const char* codePage(int charset) {
    switch (charset) {
    case 161:
        return "windows-1253";
    case 162:
        return "windows-1254";
    case 177:
        return "windows-1255";
    case 178:
        return "windows-1256";
    case 186:
        return "windows-1257";
    case 204:
        return "windows-1251";
    case 238:
        return "windows-1250";
    default:
        return nullptr;
    }
}

// Western text: Latin-1 with the printable characters Windows puts in 0x80 to 0x9F.
QString windows1252(const QByteArray& text) {
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString out;
    out.reserve(text.size());
    for (char c : text) {
        const uchar u = uchar(c);
        out.append(u >= 0x80 && u < 0xA0 ? QChar(high[u - 0x80]) : QChar(u));
    }
    return out;
}

// Text in the Symbol font's own encoding: Greek letters where Latin ones stand, and the
// mathematical signs drawings use most.
QString symbolText(const QByteArray& text) {
    static const char16_t upper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
    static const char16_t lower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
    static const std::pair<uchar, char16_t> signs[] = {
        {0xA3, u'≤'}, {0xA5, u'∞'}, {0xB3, u'≥'}, {0xB4, u'×'}, {0xB6, u'∂'},
        {0xB8, u'÷'}, {0xB9, u'≠'}, {0xBA, u'≡'}, {0xBB, u'≈'}, {0xC5, u'⊕'},
        {0xD1, u'∇'}, {0xD6, u'√'}, {0xE5, u'∑'}, {0xF2, u'∫'}, {0x22, u'∀'},
        {0x24, u'∃'}, {0x27, u'∋'}, {0x2A, u'∗'}, {0x2D, u'−'}, {0x40, u'≅'}};
    QString out;
    out.reserve(text.size());
    for (char c : text) {
        const uchar u = uchar(c);
        QChar q(u);
        if (u >= 'A' && u <= 'Z')
            q = QChar(upper[u - 'A']);
        else if (u >= 'a' && u <= 'z')
            q = QChar(lower[u - 'a']);
        for (const auto& [from, to] : signs)
            if (u == from)
                q = QChar(to);
        out.append(q);
    }
    return out;
}

// Where a text `width` wide starts from its reference point, in laid-out pixels, as the
// alignment places it.
QPointF aligned(int align, double width, const QFontMetricsF& metrics) {
    double x = 0;
    if ((align & center) == center)
        x = -width / 2;
    else if (align & right)
        x = -width;
    double y = 0;
    if ((align & baseline) == baseline)
        y = 0;
    else if (align & bottom)
        y = -metrics.descent();
    else
        y = metrics.ascent();
    return {x, y};
}

QFont::StyleHint styleHint(int pitchAndFamily) {
    switch (pitchAndFamily >> 4) {
    case 1:
        return QFont::Serif;
    case 2:
        return QFont::SansSerif;
    case 3:
        return QFont::TypeWriter;
    case 4:
        return QFont::Cursive;
    case 5:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

} // namespace

QString Player::decoded(const QByteArray& text) const {
    constexpr int symbolCharset = 2;
    if (state_.font.charset == symbolCharset)
        return symbolText(text);
    if (const char* page = codePage(state_.font.charset)) {
        QStringDecoder decoder(page);
        if (decoder.isValid())
            return decoder.decode(text);
    }
    return windows1252(text);
}

void Player::textOut(const Record& r) {
    const qsizetype length = r.u16(0);
    const qsizetype words = (length + 1) / 2;
    if (!r.has(1 + words + 2))
        return;
    drawText(point(r, 1 + words), r.bytesFrom(1).left(length), {}, 0, {});
}

void Player::extTextOut(const Record& r) {
    if (!r.has(4))
        return;
    const qsizetype length = r.u16(2);
    const int options = r.u16(3);
    qsizetype at = 4;
    QRectF rect;
    if (options & (opaque | clipped)) {
        if (!r.has(8))
            return;
        rect = mapRect(r.s16(4), r.s16(5), r.s16(6), r.s16(7));
        at = 8;
    }
    const qsizetype words = (length + 1) / 2;
    if (!r.has(at + words))
        return;
    const QByteArray bytes = r.bytesFrom(at).left(length);
    // The distances from each letter to the next, when the record has room for them.
    std::vector<int> dx;
    if (r.has(at + words + length)) {
        dx.reserve(size_t(length));
        for (qsizetype i = 0; i < length; ++i)
            dx.push_back(r.s16(at + words + i));
    }
    drawText(point(r, 0), bytes, dx, options, rect);
}

std::optional<QFont> Player::textFont(double& k) const {
    const Font& lf = state_.font;
    QFont font(lf.face.isEmpty() ? QStringLiteral("Sans") : lf.face);
    font.setStyleHint(styleHint(lf.pitchAndFamily));
    font.setWeight(QFont::Weight(std::clamp(lf.weight == 0 ? 400 : lf.weight, 1, 1000)));
    font.setItalic(lf.italic);
    font.setUnderline(lf.underline);
    font.setStrikeOut(lf.strikeOut);
    font.setKerning(false);
    // Negative: the letters' height; positive: the line's, letters and the space above them.
    const double logicalHeight = lf.height == 0 ? 12 : std::abs(lf.height);
    double em = logicalHeight * scaleY();
    font.setPixelSize(100);
    if (lf.height > 0) {
        const QFontMetricsF m(font);
        if (m.height() > 0)
            em *= 100 / m.height();
    }
    if (!(em > 0.05) || em > 100000)
        return std::nullopt;
    k = std::max(1.0, layoutPixels / em);
    font.setPixelSize(std::max(1, int(std::lround(em * k))));
    if (lf.width > 0) {
        const QFontMetricsF m(font);
        if (m.averageCharWidth() > 0)
            font.setStretch(int(std::lround(
                std::clamp(100 * lf.width * scaleX() * k / m.averageCharWidth(), 1.0, 4000.0))));
    }
    return font;
}

std::vector<double> Player::letterStarts(const QString& string, const std::vector<int>& dx,
                                         const QFontMetricsF& metrics, double k,
                                         double& width) const {
    // At the distances the record gives, or at the font's own widened by the extra space and
    // the justification; none when the font's own are kept.
    const State& s = state_;
    std::vector<double> starts;
    width = 0;
    const double unit = scaleX() * k;
    if (!dx.empty() && dx.size() == size_t(string.size())) {
        starts.reserve(dx.size());
        for (int d : dx) {
            starts.push_back(width);
            width += d * unit;
        }
    } else if (s.charExtra != 0 || (s.breaks > 0 && s.breakExtra != 0)) {
        // The justification's extra space shared out among the spaces, in whole units.
        int breaksLeft = std::max(s.breaks, 0), extraLeft = s.breakExtra;
        starts.reserve(size_t(string.size()));
        for (const QChar c : string) {
            starts.push_back(width);
            width += metrics.horizontalAdvance(c) + s.charExtra * unit;
            if (c == u' ' && breaksLeft > 0) {
                const int share = extraLeft / breaksLeft--;
                extraLeft -= share;
                width += share * unit;
            }
        }
    } else {
        width = metrics.horizontalAdvance(string);
    }
    return starts;
}

void Player::drawText(QPointF logical, const QByteArray& bytes, const std::vector<int>& dx,
                      int options, const QRectF& rect) {
    const State& s = state_;
    if (s.textAlign & updateCP)
        logical = s.position;
    const QString string = decoded(bytes);
    double k = 1; // laid out k times larger
    const std::optional<QFont> font = textFont(k);
    if (!font)
        return;
    const QFontMetricsF metrics(*font);
    double width = 0;
    const std::vector<double> starts = letterStarts(string, dx, metrics, k, width);
    const QPointF start = aligned(s.textAlign, width, metrics);
    if (s.textAlign & updateCP) {
        // The next text starts where this one ends (or begins, aligned right).
        const double advance = (s.textAlign & center) == center ? 0
                               : (s.textAlign & right)          ? -width
                                                                : width;
        state_.position.rx() += advance / k / (transform_.m11() == 0 ? 1 : transform_.m11());
    }

    QTransform place;
    place.translate(map(logical).x(), map(logical).y());
    place.rotate(-s.font.escapement / 10.0);
    place.scale(1 / k, 1 / k);
    const QRectF box(start.x(), start.y() - metrics.ascent(), width, metrics.height());
    noteDrawn(place.mapRect(box));
    if (!painter_)
        return;

    painter_->save();
    if (options & clipped)
        painter_->setClipRect(rect, Qt::IntersectClip);
    if (options & opaque)
        painter_->fillRect(rect, s.bkColor);
    painter_->setTransform(place);
    if (s.bkOpaque)
        painter_->fillRect(box, s.bkColor);
    painter_->setFont(*font);
    painter_->setPen(s.textColor);
    painter_->setBackgroundMode(Qt::TransparentMode); // the background is filled above
    if (starts.empty()) {
        painter_->drawText(start, string);
    } else {
        for (qsizetype i = 0; i < string.size(); ++i)
            painter_->drawText(QPointF(start.x() + starts[size_t(i)], start.y()),
                               QString(string[i]));
    }
    painter_->restore();
}

} // namespace wmf
