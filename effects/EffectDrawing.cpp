#include "effects/EffectSteps.h"

namespace effects {

namespace {
double single(double v) {
    return static_cast<float>(v);
}
} // namespace

void drawLine(EffectCanvas& canvas, double x1, double y1, double x2, double y2) {
    const quint32 color = canvas.backColor();
    canvas.line(single(x1), single(y1), single(x2), single(y2), color);
}

void drawBox(EffectCanvas& canvas, double x1, double y1, double x2, double y2) {
    const quint32 color = canvas.backColor();
    canvas.box(single(x1), single(y1), single(x2), single(y2), color);
}

void drawFilledBox(EffectCanvas& canvas, double x1, double y1, double x2, double y2) {
    const quint32 color = canvas.backColor();
    canvas.filledBox(single(x1), single(y1), single(x2), single(y2), color);
}

void drawCircle(EffectCanvas& canvas, double cx, double cy, double radius) {
    const quint32 color = canvas.backColor();
    canvas.circle(single(cx), single(cy), single(radius), color);
}

} // namespace effects
