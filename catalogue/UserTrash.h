#pragma once

#include <QString>

// The user's Trash in the freedesktop.org layout desktops keep it in, so that the desktop's
// file manager lists what the program deleted and can put it back: a file on the volume of the
// home Trash ($XDG_DATA_HOME/Trash) goes there; a file on another volume goes to that volume's
// $topdir/.Trash/$uid (an administrator's sticky .Trash) or $topdir/.Trash-$uid. Beside it in
// info/ a NAME.trashinfo says where it came from and when it left.
//
// Moves the entry at `path` (a file, or a link itself) into its volume's Trash. False, with
// the entry where it was and nothing left in any Trash, when that volume has no Trash this user
// can use: the entry is never copied across volumes.
bool MoveToTrash(const QString& path);
