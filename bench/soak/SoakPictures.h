#pragma once

#include <QString>

// Makes the soak's show folder in `root` and returns it (with its separator): `count` pictures
// named in a mixed order, a tenth of them broken, hard links to a few dozen sources of every
// format the program reads and of sizes from an icon to a 72-megapixel panorama; a spoken
// comment for each, and MIDI music for the folder. Does nothing but return it when the folder
// is already there. Empty on failure.
QString makeSoakShow(const QString& root, int count);
