#include "settings/NumberReading.h"

#include "core/Rounding.h"

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

qint16 ReadLeadingInt16(QStringView text) {
    return ClampToInt16(RoundHalfEven(ReadLeadingNumber(text)));
}

QString PrintForm(qint64 value) {
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) + u' ';
}
