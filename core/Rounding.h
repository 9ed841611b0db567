#pragma once

#include <QtGlobal>

// Round to the nearest whole number, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
qint64 RoundHalfEven(double value);

// A value limited to the signed 16-bit range.
qint16 ClampToInt16(qint64 value);
