#pragma once

#include "catalogue/ImageCatalogue.h"
#include "catalogue/PictureList.h"
#include "settings/ShowSettings.h"
#include "show/ShowState.h"
#include "show/ShowTick.h"

#include <QString>

// The records shared by the panel, the show and the sound, one per concern, owned by the
// application object and handed to each part by reference.
struct AppRecords {
    ShowSettings settings;
    ImageCatalogue catalogue;
    PictureList list; // the panel's file list List1: the show's order
    ShowState show;
    TickMemory tick;
    QString AppFolder; // the program's folder, with a trailing separator
    bool ShowRunning = false;

    // What of them the show tick works on.
    TickRecords forTick() {
        return {.settings = settings,
                .catalogue = catalogue,
                .list = list,
                .show = show,
                .memory = tick,
                .showRunning = ShowRunning};
    }
};
