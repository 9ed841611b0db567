#pragma once

#include <QString>
#include <QtGlobal>

// The show position, kept outside the show window so that it outlives it.
struct ShowState {
    qint32 PictureIndex = 0;   // 1-based position in the file list; 0 before a show and after Fine
    QString CurrentPicture;    // the entry shown last; "" after a full pass
    bool MusicRestart = false; // set by Fine: the next show restarts the music
};

// The tick's memory, kept from tick to tick and from show to show.
struct TickMemory {
    QString LastFolder;    // folder key of the previous picture; "" after the end title
    QString PictureFolder; // folder part of the current entry, up to and including its separator
};
