#include "platform/gui/WmfPlayer.h"

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

bool Player::text(const Record& r) {
    const quint16 f = r.function();
    if (f == fn::textOut) {
        const qsizetype length = r.u16(0);
        const qsizetype words = (length + 1) / 2;
        if (!r.has(1 + words + 2))
            return true;
        drawText(point(r, 1 + words), r.bytesFrom(1).left(length), {}, 0, {});
        return true;
    }
    if (f != fn::extTextOut)
        return false;
    if (!r.has(4))
        return true;
    const qsizetype length = r.u16(2);
    const int options = r.u16(3);
    qsizetype at = 4;
    QRectF rect;
    if (options & (opaque | clipped)) {
        if (!r.has(8))
            return true;
        rect = mapRect(r.s16(4), r.s16(5), r.s16(6), r.s16(7));
        at = 8;
    }
    const qsizetype words = (length + 1) / 2;
    if (!r.has(at + words))
        return true;
    const QByteArray bytes = r.bytesFrom(at).left(length);
    // The distances from each letter to the next, when the record has room for them.
    std::vector<int> dx;
    if (r.has(at + words + length)) {
        dx.reserve(size_t(length));
        for (qsizetype i = 0; i < length; ++i)
            dx.push_back(r.s16(at + words + i));
    }
    drawText(point(r, 0), bytes, dx, options, rect);
    return true;
}

void Player::drawText(QPointF logical, const QByteArray& bytes, const std::vector<int>& dx,
                      int options, const QRectF& rect) {
    const State& s = state_;
    const Font& lf = s.font;
    if (s.textAlign & updateCP)
        logical = s.position;
    const QString string = decoded(bytes);

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
        return;
    const double k = std::max(1.0, layoutPixels / em); // laid out k times larger
    font.setPixelSize(std::max(1, int(std::lround(em * k))));
    if (lf.width > 0) {
        const QFontMetricsF m(font);
        if (m.averageCharWidth() > 0)
            font.setStretch(int(std::lround(
                std::clamp(100 * lf.width * scaleX() * k / m.averageCharWidth(), 1.0, 4000.0))));
    }
    const QFontMetricsF metrics(font);

    // Where each letter starts, in laid-out pixels from the first: at the distances the record
    // gives, or at the font's own widened by the extra space and the justification.
    std::vector<double> starts;
    double width = 0;
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
    double x = 0;
    if ((s.textAlign & center) == center)
        x = -width / 2;
    else if (s.textAlign & right)
        x = -width;
    double y = 0;
    if ((s.textAlign & baseline) == baseline)
        y = 0;
    else if (s.textAlign & bottom)
        y = -metrics.descent();
    else
        y = metrics.ascent();
    if (s.textAlign & updateCP) {
        // The next text starts where this one ends (or begins, aligned right).
        const double advance = (s.textAlign & center) == center ? 0
                               : (s.textAlign & right)          ? -width
                                                                : width;
        state_.position.rx() += advance / k / (transform_.m11() == 0 ? 1 : transform_.m11());
    }

    QTransform place;
    place.translate(map(logical).x(), map(logical).y());
    place.rotate(-lf.escapement / 10.0);
    place.scale(1 / k, 1 / k);
    const QRectF box(x, y - metrics.ascent(), width, metrics.height());
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
    painter_->setFont(font);
    painter_->setPen(s.textColor);
    painter_->setBackgroundMode(Qt::TransparentMode); // the background is filled above
    if (starts.empty()) {
        painter_->drawText(QPointF(x, y), string);
    } else {
        for (qsizetype i = 0; i < string.size(); ++i)
            painter_->drawText(QPointF(x + starts[size_t(i)], y), QString(string[i]));
    }
    painter_->restore();
}

} // namespace wmf
