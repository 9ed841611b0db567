#pragma once

#include "catalogue/ImageCatalogue.h"
#include "catalogue/PictureList.h"

#include <QString>

// Scans `showFolder` (ending with the separator) and its direct child folders for pictures:
// empties and refills `catalogue` (slots in scan order) and `list` (sorted), and returns the
// number of pictures found, also those beyond the last slot. The caller shows "N. " + count.
// Entries read "./mare.jpg" for the folder itself and "Estate/mare.jpg" for a child folder.
// Nothing is reported: a folder that cannot be read contributes no pictures, so a missing or
// unreadable `showFolder` gives an empty catalogue and 0.
int LoadImageList(const QString& showFolder, ImageCatalogue& catalogue, PictureList& list);
