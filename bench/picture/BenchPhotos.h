#pragma once

#include <QStringList>

// Camera-like 6000 x 4000 JPEGs (quality 90) made with ImageMagick once and kept in /tmp, so
// later runs start at once. Returns their paths, or nothing when they cannot be made.
QStringList benchPhotos(int count);
