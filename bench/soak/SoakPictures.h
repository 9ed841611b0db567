#pragma once

#include <QString>

// Makes the soak's show folder `root`/show: `count` pictures named in a mixed order, a tenth
// of them broken, hard links to a few dozen sources in `root`/sources of every format the
// program reads and of sizes from an icon to a 72-megapixel panorama. Does nothing when the
// folder is already there. False on failure.
bool makeSoakPictures(const QString& root, int count);
