#pragma once

#include <QtGlobal>

class Clock;
class RandomSource;

// A random background colour (0xRRGGBB): the generator is re-seeded from the time of day, then
// three numbers give red, green and blue, each × 256 rounded (a half to the even neighbour) and
// limited to 255.
quint32 RandomBackColor(RandomSource& random, const Clock& clock);

// The fixed background colour from the three settings, each kept within 0..255.
quint32 FixedBackColor(qint16 red, qint16 green, qint16 blue);
