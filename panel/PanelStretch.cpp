#include "panel/PanelStretch.h"

#include <algorithm>
#include <QWidget>

namespace {

// What a control does with each share of the extra space.
enum Follow : unsigned {
    MoveWithFolders = 1u << 0, // right, by the folder list's extra width
    MoveWithWindow = 1u << 1,  // right, by the whole extra width
    MoveDown = 1u << 2,        // down, by the extra height
    GrowWithFolders = 1u << 3, // wider, by the folder list's share
    GrowWithFiles = 1u << 4,   // wider, by the file list's share
    GrowWithWindow = 1u << 5,  // wider, by the whole extra width
    GrowDown = 1u << 6,        // taller, by the extra height
};

struct Rule {
    const char* control;
    unsigned follow;
};

// By the names the panel's controls carry; the rest stay as they are.
constexpr Rule Rules[] = {
    {"Dir1", GrowWithFolders | GrowDown},
    {"List1", MoveWithFolders | GrowWithFiles | GrowDown},
    {"Label15", MoveWithFolders},
    {"Drive1", MoveWithFolders},
    {"Command4", MoveWithFolders},
    {"Label17", MoveWithFolders},
    {"Frame1", MoveWithWindow},
    {"Image3_3", MoveWithWindow},
    {"Image1", MoveDown},
    {"Label3", MoveDown},
    {"Label18", MoveDown},
    {"Label19", MoveDown},
    {"Image2", MoveDown},
    {"lblTitle", MoveDown},
    {"Label5", MoveDown},
    {"Line1_0", GrowWithWindow},
    {"Line1_1", GrowWithWindow},
    {"Line1_6", MoveDown | GrowWithWindow},
    {"Line1_7", MoveDown | GrowWithWindow},
};

} // namespace

void PanelStretch::apply(QSize size) {
    const int width = std::max(0, size.width() - design_.width());
    const int height = std::max(0, size.height() - design_.height());
    const int folders = width / 2;
    const int files = width - folders;
    // The change since the last layout, so that a control's own moves are kept.
    const int dFolders = folders - folderWidth_;
    const int dFiles = files - fileWidth_;
    const int dHeight = height - height_;
    folderWidth_ = folders;
    fileWidth_ = files;
    height_ = height;
    if (dFolders == 0 && dFiles == 0 && dHeight == 0)
        return;
    const auto share = [](unsigned follow, unsigned flag, int by) {
        return follow & flag ? by : 0;
    };
    for (const Rule& rule : Rules) {
        auto* control =
            panel_.findChild<QWidget*>(QLatin1String(rule.control), Qt::FindDirectChildrenOnly);
        if (!control)
            continue;
        const unsigned f = rule.follow;
        const int dx =
            share(f, MoveWithFolders, dFolders) + share(f, MoveWithWindow, dFolders + dFiles);
        const int dy = share(f, MoveDown, dHeight);
        const int dw = share(f, GrowWithFolders, dFolders) + share(f, GrowWithFiles, dFiles) +
                       share(f, GrowWithWindow, dFolders + dFiles);
        const int dh = share(f, GrowDown, dHeight);
        const QRect g = control->geometry();
        control->setGeometry(g.x() + dx, g.y() + dy, g.width() + dw, g.height() + dh);
    }
}
