#pragma once

#include <QByteArray>
#include <QRectF>

// What the program reads of a metafile itself, before a converter sees it.

// Whether every EMF record lies inside the file and the last one ends it: the converter trusts
// the record sizes, so a cut or damaged file is refused before it.
bool emfWellFormed(const QByteArray& bytes);
