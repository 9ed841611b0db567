#include "effects/ClsDiag.h"

#include "effects/EffectSteps.h"
#include "effects/TransitionEffect.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include "core/Rounding.h"

#include <cmath>

using namespace effects;

namespace {

void reseedFromClock(RandomSource& random, const Clock& clock) {
    // The clock reading is kept in single precision, like the time of day the effects seed from.
    random.reseed(static_cast<float>(clock.secondsSinceMidnight()));
}

EffectFrame frameFor(qint16 code, const EffectCanvas& canvas) {
    EffectFrame f;
    f.hw = static_cast<qint32>(RoundHalfEven(canvas.width() / 2));
    f.hh = static_cast<qint32>(RoundHalfEven(canvas.height() / 2));
    if (code % 2 != 0) {
        f.sweepStart = 0;
        f.sweepEnd = f.hw;
        f.sweepStep = 7;
    } else {
        f.sweepStart = f.hw;
        f.sweepEnd = 0;
        f.sweepStep = -7;
    }
    f.tileWidth = 2.0 * f.hw / 30;
    f.tileHeight = 2.0 * f.hh / 20;
    return f;
}

} // namespace

void ClsDiag(qint16& code, EffectCanvas& canvas, RandomSource& random, const Clock& clock) {
    reseedFromClock(random, clock);
    canvas.setDrawWidth(10);
    if (code == SoloAnimazioneFoto)
        return;
    if (code == EffettoACaso) {
        code = static_cast<qint16>(std::floor(random.next() * 10) + 1);
        // A generator that ever returned 1.0 must still not pick the "no effect" code.
        if (code > Raggio)
            code = Raggio;
    }
    const EffectFrame frame = frameFor(code, canvas);

    switch (code) {
    case MosaicoAScomparsa:
        drawMosaic(frame, canvas, random, clock);
        break;
    case QuadratoInChiusura:
    case QuadratoInApertura:
        drawSquare(frame, canvas);
        break;
    case SiparioInChiusura:
    case SiparioInApertura:
        drawCurtain(frame, canvas);
        break;
    case DoppiaLineaOrizzontale:
        drawHorizontalLines(frame, canvas);
        break;
    case DoppiaLineaDiagonale:
        drawSlantedLines(frame, canvas);
        break;
    case CerchioInChiusura:
        drawClosingCircle(frame, canvas);
        break;
    case CerchioInApertura:
        drawOpeningCircle(frame, canvas);
        break;
    case Raggio:
        drawRay(frame, canvas, random);
        break;
    default: // codes outside the list draw nothing
        break;
    }
}
