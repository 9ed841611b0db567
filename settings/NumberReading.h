#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// The lenient number reading: the number at the start of a text (blanks and tabs skipped,
// optional sign, digits, optional point and fraction, stops at the first other character);
// 0 when there is none.
double ReadLeadingNumber(QStringView text);

// The lenient reading rounded (a half to the even neighbour) and kept within the signed 16-bit
// range.
qint16 ReadLeadingInt16(QStringView text);

// The print form of an integer: a blank (or the minus sign), the digits, a trailing blank.
QString PrintForm(qint64 value);
