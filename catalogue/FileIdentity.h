#pragma once

#include <QString>

// Whether two paths name the same directory entry's file: the same device and file number,
// links not followed. On a case-insensitive volume (a camera card) "a.jpg" and "A.JPG" are one
// file; on any volume a link to a file is a file of its own.
bool isSameFile(const QString& a, const QString& b);
