#pragma once

#include <QStringView>

// A file is a picture when its name ends like one of the picture types the show can load.
// Only the name is looked at, never the content. Besides the twelve endings (.JPG .JPE .JPEG
// .IFF .BMP .CUR .ICO .DIB .GIF .EMF .WMF .RLE, any case) this also accepts every name whose
// last four characters, upper-cased, start with "." and lie inside the type list, such as ".BM".
bool isPictureName(QStringView name);
