#pragma once

#include <QByteArray>
#include <QRectF>

// What the program reads of a metafile itself, before a converter sees it.

// Whether every EMF record lies inside the file and the last one ends it: a cut or damaged
// file is refused before any record of it is drawn.
bool emfWellFormed(const QByteArray& bytes);
