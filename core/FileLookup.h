#pragma once

#include <QString>

// File names the program writes itself (a comment "a.wav", music "*.mp3", the launcher "START")
// were compared without regard to case where the program comes from. These look the exact name
// up first, then a case-insensitive match in the same folder. Only regular files (or links to
// them) are found: anything else named like one counts as absent.
namespace filelookup {

// The existing regular file for `path` (exact name first, else the first case-insensitive match in
// its folder, in case-insensitive name order), or an empty string when there is none.
QString findFile(const QString& path);

// The first regular file of `folder` whose name ends with `suffix` (e.g. ".mp3"), compared
// without regard to case, in case-insensitive name order; an empty string when there is none.
// Hidden files (names beginning with '.') are left out, as the directory listing does.
QString firstWithSuffix(const QString& folder, const QString& suffix);

} // namespace filelookup
