#include "settings/NumberReading.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <QString>

namespace {
bool isSkippedBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
} // namespace

double ReadLeadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isSkippedBlank(text[i]))
            ++i;
    };

    skipBlanks();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Digits, then an optional point and fraction; blanks inside the number are skipped.
    double value = 0;
    bool seenPoint = false;
    double scale = 1;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isSkippedBlank(c))
            continue;
        if (c == u'.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        const int digit = c.unicode() - u'0';
        if (seenPoint) {
            scale /= 10;
            value += digit * scale;
        } else {
            value = value * 10 + digit;
        }
    }
    return negative ? -value : value;
}

qint64 RoundHalfEven(double value) {
    constexpr double lo = static_cast<double>(std::numeric_limits<qint64>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<qint64>::max());
    if (std::isnan(value))
        return 0;
    if (value <= lo)
        return std::numeric_limits<qint64>::min();
    if (value >= hi)
        return std::numeric_limits<qint64>::max();
    // The default rounding mode rounds halves to the even neighbour.
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(mode);
    return static_cast<qint64>(r);
}

qint16 ClampToInt16(qint64 value) {
    if (value < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    if (value > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    return static_cast<qint16>(value);
}

qint16 ReadLeadingInt16(QStringView text) {
    return ClampToInt16(RoundHalfEven(ReadLeadingNumber(text)));
}

QString PrintForm(qint64 value) {
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) + u' ';
}

QString WithTrailingSeparator(const QString& path) {
    return path.endsWith(u'/') ? path : path + u'/';
}
