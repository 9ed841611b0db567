#pragma once

#include "effects/EffectCanvas.h"

#include <QtGlobal>

class Clock;
class RandomSource;

// Draws transition effect `code` over the canvas in its background colour, to the end, without
// waiting or yielding. Code 0 picks 1..10 at random and writes the choice back into `code`;
// 11 and any code outside 0..11 draw nothing.
void ClsDiag(qint16& code, EffectCanvas& canvas, RandomSource& random, const Clock& clock);
