#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// One of the panel's pictures beside the program, for a screen of `deviceRatio` device pixels to
// a logical one: where the screen has more than one and the folder holds NAME@2x.png, that one,
// drawn at the same logical size. A missing file gives an empty picture.
QPixmap PanelPicture(const QString& file, qreal deviceRatio);

// The window's icon from `appFolder` (ending with the separator): icons/quirello-N.png at
// every size from 16 to 256 pixels, or the panel's 32-pixel icon `fallback` when they are
// missing.
QIcon WindowIcon(const QString& appFolder, const QString& fallback);

inline constexpr int WindowIconSizes[] = {16, 32, 48, 64, 128, 256};
