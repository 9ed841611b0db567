#pragma once

#include <QSize>

class QWidget;

// How the panel's controls follow the panel enlarged past its design size, its smallest: the
// folder list Dir1 and the file list List1 take the extra width (half each) and the extra
// height; the controls to their right move on with them (the drive list and "Visualizza lista"
// with the folder list's edge, the settings frame and the banner with the window's), those below
// them move down (the preview, the e-mail link, the lower separator and the credits), and the
// separators reach across. Every control keeps its size, and every other its place. Controls
// the program moves itself (the sliding e-mail link) are moved by the change only, never put
// back.
class PanelStretch {
public:
    PanelStretch(QWidget& panel, QSize design) : panel_(panel), design_(design) {}

    // Lays the controls out for the panel's new size.
    void apply(QSize size);

private:
    QWidget& panel_;
    const QSize design_;
    int folderWidth_ = 0; // the extra width the folder list has now
    int fileWidth_ = 0;   // and the file list
    int height_ = 0;      // the extra height both lists have
};
