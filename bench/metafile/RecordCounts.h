#pragma once

#include <QString>

// Prints which records the metafile at `path` holds and how many of each: bitmap records by
// their raster operation, and the EMF+ records that EMF comments carry. For looking at what a
// writer puts in its files.
void printRecordCounts(const QString& path);
