#include "panel/FirstPaint.h"

#include "panel/ColourSample.h"
#include "platform/RandomSource.h"
#include "settings/ShowSettings.h"

#include <algorithm>
#include <QScrollBar>

void FirstPaintColours(const ShowSettings& settings, QScrollBar* HScroll1, QScrollBar* HScroll2,
                       QScrollBar* HScroll3, ColourSample* Picture2, RandomSource& random) {
    const bool randomColour = settings.RGB_RANDOM != 0;
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3})
        bar->setEnabled(!randomColour);
    if (randomColour) {
        // The random generator goes on from where it stands: no reseeding here.
        Picture2->drawStripes(random);
        return;
    }
    HScroll1->setValue(settings.RGB_R);
    HScroll2->setValue(settings.RGB_G);
    HScroll3->setValue(settings.RGB_B);
    const auto component = [](qint16 v) { return std::clamp<int>(v, 0, 255); };
    Picture2->setColor(
        QColor(component(settings.RGB_R), component(settings.RGB_G), component(settings.RGB_B)));
}
