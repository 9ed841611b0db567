#include "panel/FirstPaint.h"

#include "controls/ColourSample.h"
#include "panel/PanelRoles.h"
#include "platform/RandomSource.h"
#include "settings/ShowSettings.h"

#include <algorithm>
#include <QScrollBar>

void FirstPaintColours(const ShowSettings& settings, const ColourBars& colours,
                       RandomSource& random) {
    const bool randomColour = settings.RGB_RANDOM != 0;
    for (QScrollBar* bar : {colours.red, colours.green, colours.blue})
        bar->setEnabled(!randomColour);
    if (randomColour) {
        // The random generator goes on from where it stands: no reseeding here.
        colours.sample->drawStripes(random);
        return;
    }
    colours.red->setValue(settings.RGB_R);
    colours.green->setValue(settings.RGB_G);
    colours.blue->setValue(settings.RGB_B);
    const auto component = [](qint16 v) { return std::clamp<int>(v, 0, 255); };
    colours.sample->setColor(
        QColor(component(settings.RGB_R), component(settings.RGB_G), component(settings.RGB_B)));
}
