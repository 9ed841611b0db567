#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// The lenient number reading: the number at the start of a text (blanks and tabs skipped,
// optional sign, digits, optional point and fraction, stops at the first other character);
// 0 when there is none.
double ReadLeadingNumber(QStringView text);

// Round to the nearest whole number, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
qint64 RoundHalfEven(double value);

// The lenient reading rounded and kept within the signed 16-bit range.
qint16 ReadLeadingInt16(QStringView text);

// A value limited to the signed 16-bit range.
qint16 ClampToInt16(qint64 value);

// The print form of an integer: a blank (or the minus sign), the digits, a trailing blank.
QString PrintForm(qint64 value);

// A path with the native separator appended when it does not end with one.
QString WithTrailingSeparator(const QString& path);
